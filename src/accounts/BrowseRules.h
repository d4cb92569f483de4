#pragma once

#include "core/Currency.h"
#include "core/DateTime.h"

#include <QString>
#include <QStringList>
#include <optional>

// The rules of the browse of open documents (the customer page, the supplier
// page and the documents-by-date page): the statement of a search and the
// debit, credit and balance figures of what it found.
namespace accounts {

// One kind of account as the browse reads it.
struct DocumentKind {
    bool receivables;
    QString documentPrefix; // "FCC" / "FCP"
    QString partyPrefix;    // "FC" / "FP"
    QString ownType;        // the code only this kind has: "7" / "8"
    QString owedExtraType;  // the code besides 1 and 3 that adds to what is owed: "2" / "5"
    QString reducingType;   // the code besides the own one that reduces it: "5" / "2"
    QString tableEnd;       // of the message: "Cobrar." / "Pagar."
    QString partyParameter; // "Cliente" / "Proveedor"
    QString select;         // the shared SELECT text
    QString from;           // the shared FROM text
};

const DocumentKind& ReceivableDocuments();
const DocumentKind& PayableDocuments();

// One party's documents (ordered by due date) or every party's (by name, then due date).
enum class BrowseMode { OneParty = 1, AllParties = 2 };

// The date condition by the two date edits: none when both are empty, from
// the from-date on when only it holds a date, else BETWEEN (an empty
// from-date then reads as the date zero: everything up to the to-date).
enum class DateCondition { None, FromOnward, Between };
DateCondition BrowseDateCondition(bool hasFromDate, bool hasToDate);

// The entries of the type filter CTipoTrans, by item index.
enum TypeFilter {
    Todas = 0,
    Facturas = 1,
    NotasDebito = 2,
    NotasCredito = 3,
    Pendientes = 4,
    Giros = 5
};

// The statement head: the SELECT and FROM texts, and for one party the
// condition on its name (" AND (FC_DESCRIPCION = :Cliente) ").
QString BrowseHead(const DocumentKind& kind, BrowseMode mode);
// The whole statement: the head, the date condition, the type condition of
// the filter's entry and the order. An index that is no entry (no entry
// chosen) reads as "Todas", so that no other document type is ever read.
QString BrowseStatement(const DocumentKind& kind, BrowseMode mode, DateCondition dates,
                        int typeIndex);

// "Error de Consulta al obtener datos de la Tabla SCuentasx" + "Cobrar." / "Pagar.".
QString BrowseError(const DocumentKind& kind);

// The totals of a search. OwedTotal sums what the party owes or is owed
// (receivables 1, 2, 3; payables 1, 3, 5), ReducingTotal what reduces it
// (receivables 5, 7; payables 2, 8).
struct DocumentTotals {
    core::Currency OwedTotal;
    core::Currency ReducingTotal;

    core::Currency DocumentBalance() const { return OwedTotal - ReducingTotal; }
    // What "Débito:" and "Crédito:" show: the owed side is the debit of a
    // receivable and the credit of a payable.
    core::Currency Debit(const DocumentKind& kind) const;
    core::Currency Credit(const DocumentKind& kind) const;
    // Adds a document's balance to its side (a type of neither side adds nothing).
    void Add(const DocumentKind& kind, int type, core::Currency balance);
};

// What a page keeps of its last search in six consecutive texts of the module
// window's ViewMemory (customer page from 4, supplier page from 10, documents
// by date from 16): the entry of the type filter, OwedTotal, ReducingTotal,
// DocumentBalance and the two dates of the range (an empty edit as the date
// zero, which gives an empty edit back).
inline constexpr int CustomerMemorySlot = 4;
inline constexpr int SupplierMemorySlot = 10;
inline constexpr int DateMemorySlot = 16;

struct BrowseMemory {
    int typeIndex = 0;
    DocumentTotals totals;
    core::TDateTime from = 0;
    core::TDateTime to = 0;
};

// An amount as a slot keeps it: an exact decimal text with the decimal
// separator of the formats in force ("120,5", "-0,0001"); and back, a text
// that does not read giving 0.
QString SlotAmountText(core::Currency amount);
core::Currency SlotAmount(const QString& text);

// Writes the six slots from `firstSlot` on; a memory too short for them is
// left alone.
void WriteBrowseMemory(QStringList& memory, int firstSlot, const BrowseMemory& saved);
// The saved state, or nothing while the first slot is empty (the page was not
// searched since the program started). A type entry that does not read gives 0.
std::optional<BrowseMemory> ReadBrowseMemory(const QStringList& memory, int firstSlot);

} // namespace accounts
