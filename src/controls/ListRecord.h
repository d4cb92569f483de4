#pragma once

#include <memory>

namespace controls {

// The common base of every record that a list row carries (installments,
// transactions, open documents). It gives the records a virtual destructor, so
// that a list can own rows of any record class and the owning window can find a
// row's class again with dynamic_cast; a row whose object is not of the list's
// record class (the empty-list placeholder has none) is painted as an empty row.
class ListRecord {
public:
    virtual ~ListRecord() = default;

protected:
    ListRecord() = default;
    ListRecord(const ListRecord&) = default;
    ListRecord& operator=(const ListRecord&) = default;
};

// Rows hold their records through shared ownership: a record moved from one list
// to another passes with its row, and a record that two lists show (a notice list
// and the maturity list) lives until the last of them lets it go.
using ListRecordPtr = std::shared_ptr<ListRecord>;

} // namespace controls
