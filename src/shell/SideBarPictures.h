#pragma once

#include <QIcon>

namespace shell {

// The pictures of the side bar's items, by index: 0 new transaction,
// 1 configuration, 2 bank, 3 date, 4 detail, 5 documents by date,
// 6 receivables, 7 payables, 8 reports.
QIcon sideBarPicture(int index);

} // namespace shell
