#pragma once

#include "platform/base/Database.h"

#include <QStringList>

namespace TestSupport {

// Each row of the query as "value|value|…", NULL written as NULL: database rows a test can
// compare as text.
QStringList rows(const Database &db, const QString &sql);

// The first column of the first row, as an integer; -1 without a row.
int scalar(const Database &db, const QString &sql);

} // namespace TestSupport
