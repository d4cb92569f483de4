#pragma once

#include "accounts/DueRanges.h"

#include <QWidget>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace controls {
class TNorvaNumberEdit;
}

namespace shell {
class Tm3TransaccionesPendientesForm;
}

namespace accounts {

// "Definir Vencimientos" (PanelTiempoVencimiento): the four day ranges and the
// type of analysis of the due-date analysis, a modal layer over the module
// window opened by "&Avanzado" of the report page. The values live in its edits
// from start to end of the program (they are not saved); the notice's grouping
// and the due-date report read them through Bounds() and Analysis() when they
// make the test.
class DueRangesPanel : public QWidget {
    Q_OBJECT
public:
    DueRangesPanel(shell::Tm3TransaccionesPendientesForm& module, QWidget* parent);
    ~DueRangesPanel() override;

    // The values in force: the edits as they read now, and the analysis chosen.
    DueRangeBounds Bounds() const;
    DueAnalysis Analysis() const;
    // The day count of an item due on `dueDate` by the analysis chosen, today
    // being the clock's; and the range test with the edits' values.
    int DayCount(core::TDateTime dueDate) const;
    bool InRange(int range, int days) const;

    QLabel* LTitulo;
    QLabel* Label22;
    QLabel* Label35;
    QLabel* Label36;
    QLabel* Label37;
    controls::TNorvaNumberEdit* EVencen1;
    controls::TNorvaNumberEdit* EVencen2;
    controls::TNorvaNumberEdit* EVencen3;
    controls::TNorvaNumberEdit* EVencen4;
    controls::TNorvaNumberEdit* EVencen5;
    controls::TNorvaNumberEdit* EVencen6;
    controls::TNorvaNumberEdit* EVencen7;
    QGroupBox* RGTipoVencimiento;     // "Tipo de Análisis"
    QRadioButton* RBCuentasVencidas;  // item 0, "Cuentas Vencidas"
    QRadioButton* RBCuentasPorVencer; // item 1, "Cuentas por Vencer"
    QPushButton* BAceptar2001;
    QPushButton* BRestablecer023;

    // The item index of "Tipo de Análisis".
    int ItemIndex() const;
    void SetItemIndex(int index);

public slots:
    // Leaving an upper bound (after the edit's own exit handling).
    void EVencen2Exit();
    void EVencen4Exit();
    void EVencen6Exit();
    void BRestablecer023Click();
    // Closes the layer: menus, report page, side bar and notice take input again.
    void BAceptar2001Click();
    // "&Avanzado" of the report page: the menus, the report page, the side bar
    // and the notice window take no input while the panel is in front.
    void BAvanzado025Click();

private:
    void showBounds(const DueRangeBounds& bounds);

    shell::Tm3TransaccionesPendientesForm& m_module;
    QButtonGroup* m_analysis;
};

} // namespace accounts
