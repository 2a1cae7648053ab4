#pragma once

#include <QString>

// Texts as the plain-text boxes of the point dialog and the presenter give them back. A box
// returns every line end as LF (and a no-break space as a space), while a stored text keeps
// what it was written with: CR LF on Windows. Compared this way, a text nobody touched is the
// same as the stored one, so nothing asks whether it changed and nothing writes it again.
namespace PlainText {

QString asBoxGivesIt(const QString &text);
bool same(const QString &a, const QString &b);

} // namespace PlainText
