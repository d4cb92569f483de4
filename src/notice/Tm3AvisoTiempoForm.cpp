#include "notice/Tm3AvisoTiempoForm.h"

#include "controls/TNorvaNumberEdit.h"
#include "controls/TNorvaNumberObject.h"
#include "controls/TitleStrip.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace notice {

Tm3AvisoTiempoForm::Tm3AvisoTiempoForm(QWidget* parent)
    : TEForm(parent, Qt::Dialog | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("m3AvisoTiempoForm"));
    setWindowTitle(QStringLiteral("Tiempo de próximo aviso"));
    setFixedSize(230, 135);
    setModal(true);

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameShape(QFrame::Box);
    panel->setGeometry(0, 0, 230, 135);

    LTituloAvisoTiempo = new QLabel(QStringLiteral("    Tiempo de próximo aviso."), panel);
    LTituloAvisoTiempo->setObjectName(QStringLiteral("LTituloAvisoTiempo"));
    LTituloAvisoTiempo->setGeometry(1, 1, 228, 15);
    controls::MakeTitleStrip(LTituloAvisoTiempo);

    LAviso = new QLabel(
        QStringLiteral("Quedan transacciones por procesar,                avisar dentro  de:"),
        panel);
    LAviso->setObjectName(QStringLiteral("LAviso"));
    LAviso->setWordWrap(true);
    LAviso->setGeometry(10, 20, 210, 30);

    ETiempoAviso = new controls::TNorvaNumberEdit(panel);
    ETiempoAviso->setObjectName(QStringLiteral("ETiempoAviso"));
    ETiempoAviso->NorvaNumberObject().SetTipoDato(controls::TDato::Entero);
    ETiempoAviso->NorvaNumberObject().SetDecimales(0);
    ETiempoAviso->NorvaNumberObject().SetMinValor(1);
    ETiempoAviso->NorvaNumberObject().SetMaxValor(1440);
    ETiempoAviso->SetHideSeparator(true);
    ETiempoAviso->setGeometry(10, 55, 60, 21);

    MinHora = new QComboBox(panel);
    MinHora->setObjectName(QStringLiteral("MinHora"));
    MinHora->addItems({QStringLiteral("Minuto(s)"), QStringLiteral("Hora(s)")});
    MinHora->setEditable(false);
    MinHora->setGeometry(76, 55, 90, 21);
    MinHora->installEventFilter(this);

    CBNoMostrar = new QCheckBox(QStringLiteral("No volver a preguntar"), panel);
    CBNoMostrar->setObjectName(QStringLiteral("CBNoMostrar"));
    CBNoMostrar->setGeometry(10, 82, 200, 17);

    BAceptar2001 = new QPushButton(QStringLiteral("&Aceptar"), panel);
    BAceptar2001->setObjectName(QStringLiteral("BAceptar2001"));
    BAceptar2001->setGeometry(40, 104, 75, 25);
    BCancelar002 = new QPushButton(QStringLiteral("&Cancelar"), panel);
    BCancelar002->setObjectName(QStringLiteral("BCancelar002"));
    BCancelar002->setGeometry(120, 104, 75, 25);

    setTabOrder(ETiempoAviso, BAceptar2001);
    setTabOrder(BAceptar2001, BCancelar002);
    setTabOrder(BCancelar002, MinHora);
    setTabOrder(MinHora, CBNoMostrar);

    connect(BAceptar2001, &QPushButton::clicked, this, &Tm3AvisoTiempoForm::BAceptar2001Click);
    connect(BCancelar002, &QPushButton::clicked, this, &Tm3AvisoTiempoForm::BCancelar002Click);
    setWait(5, 0);
}

void Tm3AvisoTiempoForm::setWait(int value, int unitIndex) {
    ETiempoAviso->SetInitText(value);
    MinHora->setCurrentIndex(unitIndex == 1 ? 1 : 0);
}

Tm3AvisoTiempoForm::Answer Tm3AvisoTiempoForm::answer() const {
    Answer a;
    a.value = int(ETiempoAviso->WholeValue());
    a.unitIndex = MinHora->currentIndex() == 1 ? 1 : 0;
    a.dontAskAgain = CBNoMostrar->isChecked();
    return a;
}

void Tm3AvisoTiempoForm::BAceptar2001Click() {
    // The value as the edit shows it once left, within its limits.
    ETiempoAviso->NorvaNumberEditExit();
    const Answer a = answer();
    if (onAccept)
        onAccept(a);
    accept();
}

void Tm3AvisoTiempoForm::BCancelar002Click() {
    reject();
}

bool Tm3AvisoTiempoForm::eventFilter(QObject* watched, QEvent* event) {
    // The unit is chosen from its list only: typed characters are swallowed.
    if (watched == MinHora && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!key->text().isEmpty() && key->text().at(0).isPrint())
            return true;
    }
    return TEForm::eventFilter(watched, event);
}

} // namespace notice
