#include "shell/TNorvaAboutForm.h"

#include "shell/AppIcon.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace shell {

TNorvaAboutForm::TNorvaAboutForm(QWidget* parent) : TEForm(parent) {
    setObjectName(QStringLiteral("NorvaAboutForm"));
    setWindowTitle(QStringLiteral("Acerca de Monvela"));
    auto* picture = new QLabel(this);
    picture->setPixmap(appIcon().pixmap(48, 48));
    auto* product = new QLabel(QStringLiteral("Monvela"), this);
    product->setObjectName(QStringLiteral("LProducto"));
    QFont big = product->font();
    big.setPointSize(14);
    big.setBold(true);
    product->setFont(big);
    auto* version = new QLabel(QStringLiteral("Versión 1.0"), this);
    version->setObjectName(QStringLiteral("LVersion"));
    auto* module = new QLabel(QStringLiteral("Módulo Administrativo") + QStringLiteral("."), this);
    module->setObjectName(QStringLiteral("LModulo"));
    BAceptar001 = new QPushButton(QStringLiteral("&Aceptar"), this);
    BAceptar001->setObjectName(QStringLiteral("BAceptar001"));
    BAceptar001->setDefault(true);
    connect(BAceptar001, &QPushButton::clicked, this, &QDialog::accept);

    auto* texts = new QVBoxLayout;
    texts->addWidget(product);
    texts->addWidget(version);
    texts->addWidget(module);
    auto* top = new QHBoxLayout;
    top->addWidget(picture, 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addLayout(texts);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(8);
    layout->addWidget(BAceptar001, 0, Qt::AlignHCenter);
    setFixedSize(sizeHint().expandedTo(QSize(280, 140)));
}

} // namespace shell
