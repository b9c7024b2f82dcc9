#include "app/confirmation.h"

#include "app/elements.h"
#include "keys/keycodes.h"

#include <QDialog>
#include <QKeyEvent>
#include <QPainter>

namespace {

const QColor kPanelGrey(64, 64, 64);

class ConfirmationPanel : public QDialog {
public:
    ConfirmationPanel(QWidget* owner, const QString& question) : QDialog(owner)
    {
        setObjectName(QStringLiteral("Confirmation"));
        setWindowTitle(QStringLiteral("Sofavio"));
        setWindowFlag(Qt::FramelessWindowHint);
        setFixedSize(640, 240);
        auto* text = makeLabel(this, QStringLiteral("Question"), QRectF(450, 300, 8700, 1500),
                               question, TextLook{Face::Serif, 24, Qt::white, Align::Centre});
        text->setWordWrap(true);
        const TextLook choice{Face::Serif, 27.75, Qt::white, Align::Centre};
        m_yes = makeLabel(this, QStringLiteral("Si"), QRectF(1950, 2250, 1815, 735),
                          QStringLiteral("Sí"), choice);
        m_no = makeLabel(this, QStringLiteral("No"), QRectF(5835, 2250, 1815, 735),
                         QStringLiteral("No"), choice);
        m_frame = new Outline(this, QStringLiteral("Frame"), QRectF(), Qt::red, 3);
        choose(false);
    }

    bool yesChosen() const { return m_yesChosen; }

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), kPanelGrey); }

    void keyPressEvent(QKeyEvent* event) override
    {
        switch (keyCode(*event)) {
        case kKeyLeft:
        case kKeyRight:
        case kKeyUp:
        case kKeyDown:
            choose(!m_yesChosen);
            break;
        case kKeyEnter:
            done(m_yesChosen ? Accepted : Rejected);
            break;
        case kKeyEscape:
            m_yesChosen = false;
            reject();
            break;
        default:
            break;
        }
    }

private:
    void choose(bool yes)
    {
        m_yesChosen = yes;
        m_frame->setGeometry((yes ? m_yes : m_no)->geometry());
    }

    QLabel* m_yes = nullptr;
    QLabel* m_no = nullptr;
    Outline* m_frame = nullptr;
    bool m_yesChosen = false;
};

} // namespace

bool confirm(QWidget* owner, const QString& question)
{
    ConfirmationPanel panel(owner, question);
    if (owner)
        panel.move(owner->geometry().center() - panel.rect().center());
    return panel.exec() == QDialog::Accepted && panel.yesChosen();
}
