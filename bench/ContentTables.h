#pragma once

#include "platform/base/Database.h"

// A subject's three tables as the floors of the lesson-content benchmarks make them bare: the
// layout the store creates, without the two indexes (as the earlier version of the file has it).
inline void createBareSubjectTables(const Database &db, int id)
{
    db.exec(QStringLiteral(
        "CREATE TABLE Keshi%1(课时 INTEGER NOT NULL PRIMARY KEY,题目 TEXT CHECK(length(题目) <= 100))")
                .arg(id));
    db.exec(QStringLiteral("CREATE TABLE Zhishidian%1(ID INTEGER PRIMARY KEY AUTOINCREMENT,课时 INTEGER,"
                           "知识点ID INTEGER,知识点 TEXT,重点 INTEGER CHECK(重点 IN (0,1)),"
                           "难点 INTEGER CHECK(难点 IN (0,1)))")
                .arg(id));
    db.exec(QStringLiteral("CREATE TABLE Wenti%1(ID INTEGER PRIMARY KEY AUTOINCREMENT,课时ID INTEGER,"
                           "知识点ID INTEGER,问题ID INTEGER,问题 TEXT,答案 TEXT)")
                .arg(id));
}
