#pragma once
#include "store/value.h"
#include <QString>

class Session;

// "删除人员" of the employee list: every kqk row of the current entry's
// number, after the shell has asked with describe()'s figures.
namespace EmployeeDeletion {

struct Target {
    QString bm, xm;
    Value ygbh;      // null for the entry of rows without a number
    qint64 records = 0;
};

// The employee list's current entry and how many kqk rows carry its number.
// Refused when the list is empty.
Target describe(Session& session);
// The confirmation text naming the employee and the number of records.
QString question(const Target& target);
// Deletes the rows in one transaction and reopens both lists.
void remove(Session& session, const Target& target);

} // namespace EmployeeDeletion
