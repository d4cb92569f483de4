#pragma once

#include "accounts/DueRanges.h"
#include "reports/TransactionsReportForm.h"

#include <QStringList>
#include <array>
#include <functional>

namespace reports {

// The day ranges and the analysis type of "Definir Vencimientos" as a pass
// reads them: the bounds, and the texts of the bound edits as they show them.
struct AgingSetup {
    accounts::DueAnalysis analysis = accounts::DueAnalysis::Vencidas;
    accounts::DueRangeBounds bounds;
    QStringList texts{QStringLiteral("1"),  QStringLiteral("30"), QStringLiteral("31"),
                      QStringLiteral("60"), QStringLiteral("61"), QStringLiteral("90"),
                      QStringLiteral("91")};
};

// The due-date report ("ReporteTransVencimiento"): the pending transactions
// report with an aging analysis. Every installment and document is also
// printed in one of five amount columns by its day count (days overdue, or
// days until due), and every group and section adds the columns up. Column 0
// takes the items outside the three closed ranges and below the open one;
// columns 1 to 4 are the ranges. Letter, portrait, margins of 10 mm at the top
// and bottom, 5 mm on the left and 4 mm on the right.
class TReporteTransVencimiento : public TransactionsReportForm {
public:
    // `aging` is read at the start of every pass; without it the initial
    // ranges and "Cuentas Vencidas" hold.
    TReporteTransVencimiento(const ReportContext& context, std::function<AgingSetup()> aging = {});
    ~TReporteTransVencimiento() override;

    static constexpr int ColumnCount = 5;
    std::array<core::Currency, ColumnCount> AgingSubtotals{}; // per transaction or party
    std::array<core::Currency, ColumnCount> AgingTotals{};    // per section
    core::Currency SectionTotal;
    core::Currency RowBalance;
    int DayCount = 0;
    core::TDateTime LaterDate = 0;
    core::TDateTime EarlierDate = 0;
    QString RangeWord;
    QString OtherWord;

    // The two dates whose difference is the day count, by the analysis type.
    void SetAgingDates(core::TDateTime itemDate, core::TDateTime today);
    // The amount in the column the first rule that holds chooses: ranges 1 to
    // 3, then below the open range the other column, else range 4.
    void PlaceInAgingColumn(int dayCount, const QString& rowPrefix, core::Currency amount,
                            const QString& otherName);
    // The label prefix + suffix: the amount, or nothing when it is 0.
    void ShowAgingAmount(const QString& prefix, const QString& suffix, core::Currency amount);
    // The column an amount of that day count goes to (0 the other column).
    int AgingColumn(int dayCount) const;

protected:
    void QuickRepBeforePrint() override;
    void InstallmentRowBeforePrint() override;
    void TransactionSubtotalBeforePrint() override;
    void TotalsBeforePrint() override;
    void DocumentRowBeforePrint() override;
    void PartySubtotalBeforePrint() override;
    void SectionTotalBeforePrint() override;
    DateRangeLayout TitleLayout() const override;
    QString InstallmentRowError() const override;
    QString DocumentRowError() const override;

private:
    void layOut();
    void agingLabels(engine::Band& band, const QString& other, const QString& prefix, qreal top,
                     bool accounts, bool lineAbove);
    void showAgingSet(const QString& other, const QString& prefix,
                      const std::array<core::Currency, ColumnCount>& amounts);
    void clearRow(const QString& other, const QString& prefix);
    int dayCountOf(core::TDateTime itemDate);

    std::function<AgingSetup()> m_agingSource;
    AgingSetup m_aging;
};

} // namespace reports
