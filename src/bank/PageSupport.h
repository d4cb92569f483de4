#pragma once

#include "core/Currency.h"

#include <QString>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace shell {
class Tm3TransaccionesPendientesForm;
}

// Small pieces shared by the bank pages of the module window.
namespace bank {

// Enables or disables the notice window (when there is one).
void SetNoticeEnabled(shell::Tm3TransaccionesPendientesForm& form, bool enabled);
// The tray menu's "&Ver Ventana de Aviso" alone, or with "&Con&figurar" and
// "Ac&erca de ..." as well.
void SetTrayNoticeItemEnabled(shell::Tm3TransaccionesPendientesForm& form, bool enabled);
void SetTrayItemsEnabled(shell::Tm3TransaccionesPendientesForm& form, bool enabled);
// The side bar.
void SetSideBarEnabled(shell::Tm3TransaccionesPendientesForm& form, bool enabled);

// The progress meter of the status bar: shown at 0, set, hidden.
void ShowMeter(shell::Tm3TransaccionesPendientesForm& form);
void SetMeter(shell::Tm3TransaccionesPendientesForm& form, int percent);
void HideMeter(shell::Tm3TransaccionesPendientesForm& form);

// A choice-only drop-down: typed keys are dropped.
void DiscardTypedKeys(QComboBox* combo);

// The text of a mask edit "99:99" as typed, a blank for every empty place
// ("  :  " when nothing is typed).
QString MaskText(const QLineEdit* edit);
// A mask edit for a time of day "hh:mm" ("!99:99;1;_").
void SetUpTimeMask(QLineEdit* edit);

// An amount in "%15.2N" without the leading blanks.
QString TrimmedAmount(core::Currency amount);

QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& text, int x, int y,
                  int w = 0, int h = 17);
QPushButton* MakeButton(QWidget* parent, const QString& name, const QString& text, int x, int y,
                        int w = 75, int h = 25);

} // namespace bank
