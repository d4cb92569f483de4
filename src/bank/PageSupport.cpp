#include "bank/PageSupport.h"

#include "controls/OutlookBar.h"
#include "core/Formats.h"
#include "shell/TAvisoTransaccionesPendientesForm.h"
#include "shell/Tm3TransaccionesPendientesForm.h"
#include "shell/Tm3TrayIconTransaccionesPenForm.h"

#include <QAction>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

namespace bank {

void SetNoticeEnabled(shell::Tm3TransaccionesPendientesForm& form, bool enabled) {
    if (QWidget* notice = form.noticeWindow())
        notice->setEnabled(enabled);
}

void SetTrayNoticeItemEnabled(shell::Tm3TransaccionesPendientesForm& form, bool enabled) {
    if (shell::Tm3TrayIconTransaccionesPenForm* tray = form.trayWindow())
        tray->VisualizarVentanadeAviso1->setEnabled(enabled);
}

void SetTrayItemsEnabled(shell::Tm3TransaccionesPendientesForm& form, bool enabled) {
    if (shell::Tm3TrayIconTransaccionesPenForm* tray = form.trayWindow()) {
        tray->VisualizarVentanadeAviso1->setEnabled(enabled);
        tray->Configurar1->setEnabled(enabled);
        tray->Acercade1->setEnabled(enabled);
    }
}

void SetSideBarEnabled(shell::Tm3TransaccionesPendientesForm& form, bool enabled) {
    form.OutlookBar->setEnabled(enabled);
}

void ShowMeter(shell::Tm3TransaccionesPendientesForm& form) {
    form.OvcMeterRegistros->setRange(0, 100);
    form.OvcMeterRegistros->setValue(0);
    form.OvcMeterRegistros->show();
}

void SetMeter(shell::Tm3TransaccionesPendientesForm& form, int percent) {
    percent = qBound(0, percent, 100);
    if (form.OvcMeterRegistros->value() != percent)
        form.OvcMeterRegistros->setValue(percent);
}

void HideMeter(shell::Tm3TransaccionesPendientesForm& form) {
    form.OvcMeterRegistros->hide();
}

namespace {

// Drops the keys that would type into a choice-only drop-down.
class TypedKeyFilter : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        return !text.isEmpty() && text.at(0).isPrint() &&
               !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    }
};

} // namespace

void DiscardTypedKeys(QComboBox* combo) {
    combo->installEventFilter(new TypedKeyFilter(combo));
}

QString MaskText(const QLineEdit* edit) {
    QString text = edit->displayText();
    text.replace(QLatin1Char('_'), QLatin1Char(' '));
    return text;
}

void SetUpTimeMask(QLineEdit* edit) {
    edit->setInputMask(QStringLiteral("99:99;_"));
}

QString TrimmedAmount(core::Currency amount) {
    return core::format15(amount).trimmed();
}

QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& text, int x, int y, int w,
                  int h) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    if (w <= 0)
        w = label->sizeHint().width();
    label->setGeometry(x, y, w, h);
    return label;
}

QPushButton* MakeButton(QWidget* parent, const QString& name, const QString& text, int x, int y,
                        int w, int h) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setGeometry(x, y, w, h);
    button->setAutoDefault(false);
    return button;
}

} // namespace bank
