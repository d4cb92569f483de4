#include "shell/Tm3AccesoTransaccionesForm.h"

#include "controls/TNorvaEdit.h"
#include "data/EngineError.h"
#include "data/Schema.h"
#include "platform/MessageBoxService.h"
#include "shell/AppIcon.h"
#include "shell/EncodePassword.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace shell {

namespace {
constexpr int ClientWidth = 369;
constexpr int ClientHeight = 195;
} // namespace

Tm3AccesoTransaccionesForm::Tm3AccesoTransaccionesForm(const QString& dataFolder, QWidget* parent)
    : TEForm(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                         Qt::CustomizeWindowHint | Qt::MSWindowsFixedSizeDialogHint),
      m_dataFolder(dataFolder) {
    setObjectName(QStringLiteral("m3AccesoTransaccionesForm"));
    setWindowTitle(QStringLiteral("Acceso Restringido"));
    setFixedSize(ClientWidth, ClientHeight);

    LMensaje = new QLabel(QStringLiteral("Es primera   vez  que  ejecuta  Monvela, introduzca el "
                                         "nombre y clave de usuario."),
                          this);
    LMensaje->setObjectName(QStringLiteral("LMensaje"));
    LMensaje->setWordWrap(true);
    QFont bold = LMensaje->font();
    bold.setBold(true);
    LMensaje->setFont(bold);
    LMensaje->setGeometry(10, 6, 349, 32);

    GBAcceso = new QGroupBox(this);
    GBAcceso->setObjectName(QStringLiteral("GBAcceso"));
    GBAcceso->setGeometry(8, 42, 353, 108);

    Image1 = new QLabel(GBAcceso);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(appIcon().pixmap(72, 72));
    Image1->setGeometry(8, 18, 72, 72);

    LNombreUsu = new QLabel(QStringLiteral("Nombre usuario :"), GBAcceso);
    LNombreUsu->setGeometry(92, 20, 90, 15);
    ENombreUsu = new controls::TNorvaEdit(GBAcceso);
    ENombreUsu->setObjectName(QStringLiteral("ENombreUsu"));
    ENombreUsu->setGeometry(186, 17, 156, 21);
    LNombreUsu->setBuddy(ENombreUsu);

    LClaveUsu = new QLabel(QStringLiteral("Clave :"), GBAcceso);
    LClaveUsu->setGeometry(92, 48, 90, 15);
    EClaveUsu = new controls::TNorvaEdit(GBAcceso);
    EClaveUsu->setObjectName(QStringLiteral("EClaveUsu"));
    EClaveUsu->setEchoMode(QLineEdit::Password);
    // "*" for every character, whatever the style would show.
    EClaveUsu->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
    EClaveUsu->setGeometry(186, 45, 156, 21);
    LClaveUsu->setBuddy(EClaveUsu);

    CheckAcceso =
        new QCheckBox(QStringLiteral("Permitir siempre el acceso a esta computadora."), GBAcceso);
    CheckAcceso->setObjectName(QStringLiteral("CheckAcceso"));
    CheckAcceso->setGeometry(92, 78, 254, 17);

    BAcepta001 = new QPushButton(QStringLiteral("&Aceptar"), this);
    BAcepta001->setObjectName(QStringLiteral("BAcepta001"));
    BAcepta001->setGeometry(198, 160, 78, 25);
    BCancelar002 = new QPushButton(QStringLiteral("&Cancelar"), this);
    BCancelar002->setObjectName(QStringLiteral("BCancelar002"));
    BCancelar002->setGeometry(283, 160, 78, 25);

    QWidget::setTabOrder(ENombreUsu, EClaveUsu);
    QWidget::setTabOrder(EClaveUsu, CheckAcceso);
    QWidget::setTabOrder(CheckAcceso, BAcepta001);
    QWidget::setTabOrder(BAcepta001, BCancelar002);
    ENombreUsu->setFocus();

    connect(BAcepta001, &QPushButton::clicked, this, &Tm3AccesoTransaccionesForm::BAcepta001Click);
    connect(BCancelar002, &QPushButton::clicked, this,
            &Tm3AccesoTransaccionesForm::BCancelar002Click);
}

Tm3AccesoTransaccionesForm::~Tm3AccesoTransaccionesForm() = default;

void Tm3AccesoTransaccionesForm::BAcepta001Click() {
    if (m_attempts == BlockingAttempt) {
        platform::showWarning(this,
                              QStringLiteral("El acceso al sistema ha sido bloqueado. Ha superado "
                                             "el máximo número de intentos para introducir la "
                                             "clave."));
        m_granted = false;
        reject();
        return;
    }
    ++m_attempts;
    try {
        if (!TbUsuarios.isOpen()) {
            TbUsuarios.setDatabaseName(m_dataFolder);
            TbUsuarios.setTableName(QStringLiteral("Susuarios.dat"));
            TbUsuarios.open();
        }
        TbUsuarios.setIndexName(data::schema::ClaveIndex);
        // An empty password is looked up as an empty text, like any other.
        QString encoded = EncodePassword(EClaveUsu->text());
        if (encoded.isNull())
            encoded = QLatin1String("");
        const bool found = TbUsuarios.findKey({encoded});
        const bool sameName =
            found && TbUsuarios.fieldByName(QStringLiteral("Nombre")).asString().toUpper() ==
                         ENombreUsu->text().toUpper();
        if (!sameName) {
            platform::showWarning(
                this,
                QStringLiteral("Usuario no registrado o clave incorrecta. Intente de nuevo."));
            return;
        }
        if (TbUsuarios.fieldByName(QStringLiteral("AccesoProduc")).asBoolean()) {
            m_granted = true;
            TbUsuarios.close();
            accept();
            return;
        }
        platform::showWarning(
            this, QStringLiteral("No posee acceso al módulo de Transacciones Pendientes."));
        m_granted = false;
        TbUsuarios.close();
        reject();
    } catch (const data::EngineError& e) {
        // Not a message of the dialog's own: the error's text, and another try.
        platform::showException(this, e.text());
    } catch (const std::exception& e) {
        platform::showException(this, QString::fromLocal8Bit(e.what()));
    }
}

void Tm3AccesoTransaccionesForm::BCancelar002Click() {
    m_granted = false;
    reject();
}

} // namespace shell
