#include "reports/TNorvaReportesProgressForm.h"

#include "platform/MessageBoxService.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QProgressBar>

namespace reports {

namespace {

const QString DefaultQuestion = QStringLiteral("Cancelar la impresión ?");
constexpr int TextLimit = 30;

bool isUserInput(QEvent::Type type) {
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::TabletMove:
        return true;
    default:
        return false;
    }
}

// While the progress window takes its input, user input addressed to any other
// window is dropped: a report run leaves the rest of the program untouched.
class InputGate : public QObject {
public:
    explicit InputGate(QWidget* form) : m_form(form) { qApp->installEventFilter(this); }
    ~InputGate() override { qApp->removeEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!isUserInput(event->type()))
            return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && widget->window() == m_form)
            return false;
        if (!widget && watched->isWindowType())
            return false; // the window system's own delivery, sent on to a widget
        return true;
    }

private:
    QWidget* m_form;
};

void setUpBar(QProgressBar* bar, int y) {
    bar->setGeometry(16, y, 409, 16);
    bar->setRange(0, 100);
    bar->setValue(0);
    bar->setTextVisible(false);
}

void setUpCaption(QLabel* label, int y) {
    label->setGeometry(16, y, 400, 13);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(palette);
    label->setText(QStringLiteral("Leyendo ..."));
}

} // namespace

TNorvaReportesProgressForm::TNorvaReportesProgressForm(QWidget* parent)
    : TEForm(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowStaysOnTopHint),
      m_cancelQuestion(DefaultQuestion) {
    setObjectName(QStringLiteral("NorvaReportesProgressForm"));
    setWindowTitle(QStringLiteral("Espere procesando ...."));
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    setUpBar(ProgressBar1, 6);
    LabelCaption = new QLabel(this);
    LabelCaption->setObjectName(QStringLiteral("LabelCaption"));
    setUpCaption(LabelCaption, 24);
    ProgressBar2 = new QProgressBar(this);
    ProgressBar2->setObjectName(QStringLiteral("ProgressBar2"));
    setUpBar(ProgressBar2, 43);
    LabelCaption2 = new QLabel(this);
    LabelCaption2->setObjectName(QStringLiteral("LabelCaption2"));
    setUpCaption(LabelCaption2, 61);
    setMinimumSize(MinWidth, SingleBarHeight);
    setMaximumSize(MaxWidth, DoubleBarHeight);
    resize(MinWidth, 40);
    SetSingleBar(false);
}

TNorvaReportesProgressForm::~TNorvaReportesProgressForm() = default;

void TNorvaReportesProgressForm::SetSingleBar(bool single) {
    m_singleBar = single;
    ProgressBar2->setVisible(!single);
    LabelCaption2->setVisible(!single);
    const int h = single ? SingleBarHeight : DoubleBarHeight;
    setMinimumHeight(h);
    setMaximumHeight(h);
    resize(width(), h);
}

void TNorvaReportesProgressForm::StartProgress(int first, int last, bool percentMode,
                                               const QString& text, const QString& cancelQuestion,
                                               int step) {
    ProgressBar1->setRange(first, std::max(first, last));
    m_last = last;
    m_step = step;
    m_cancelled = false;
    m_cancelAsked = false;
    m_cancelQuestion = cancelQuestion.isEmpty() ? DefaultQuestion : cancelQuestion;
    if (!text.isEmpty()) {
        LabelCaption->show();
        m_progressText = text.left(TextLimit);
    } else {
        LabelCaption->hide();
    }
    m_percentMode = percentMode;
    m_position = 0;
    ProgressBar1->setValue(ProgressBar1->minimum());
    showCaption();
}

void TNorvaReportesProgressForm::showCaption() {
    const QString count =
        m_percentMode ? QString::number(m_position) + QLatin1Char('%')
                      : QString::number(m_position) + QLatin1Char('/') + QString::number(m_last);
    LabelCaption->setText(m_progressText + QLatin1Char(' ') + count);
    LabelCaption->repaint();
}

void TNorvaReportesProgressForm::takeInput() {
    InputGate gate(this);
    QCoreApplication::processEvents();
}

bool TNorvaReportesProgressForm::StepProgress(int amount) {
    if (m_cancelled)
        return false;
    emit Stepping(m_position);
    takeInput();
    if (m_cancelAsked) {
        m_cancelAsked = false;
        hide();
        if (platform::confirm(parentWidget(), m_cancelQuestion)) {
            m_cancelled = true;
            return false;
        }
        show();
    }
    m_position += amount;
    ProgressBar1->setValue(std::clamp(ProgressBar1->minimum() + m_position, ProgressBar1->minimum(),
                                      ProgressBar1->maximum()));
    showCaption();
    return true;
}

bool TNorvaReportesProgressForm::FormKeyDown(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape)
        m_cancelAsked = true;
    // Every other key is taken and dropped: the window has nothing to type into.
    return true;
}

void TNorvaReportesProgressForm::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        m_cancelAsked = true;
    event->accept();
}

} // namespace reports
