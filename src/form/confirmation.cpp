// SPDX-License-Identifier: GPL-3.0-or-later
#include "form/confirmation.h"

#include "form/elements.h"
#include "form/keycodes.h"
#include "form/twips.h"

#include <QDialog>
#include <QKeyEvent>
#include <QPainter>

namespace {

constexpr double kPanelWidth = 9600;
constexpr double kPanelHeight = 3600;
constexpr double kAnswerTop = 2250;

class QuestionPanel : public QDialog {
public:
    QuestionPanel(QWidget* owner, const QString& question, const QStringList& answers, int initial)
        : QDialog(owner), m_chosen(initial)
    {
        setObjectName(QStringLiteral("Confirmation"));
        setWindowTitle(QStringLiteral("Sofavio"));
        setWindowFlag(Qt::FramelessWindowHint);
        setFixedSize(toPixels(QSizeF(kPanelWidth, kPanelHeight)));
        makeLabel(this, QStringLiteral("Question"), QRectF(450, 300, kPanelWidth - 900, 1500),
                  question, TextLook{Face::Serif, 24, Qt::white, Align::Centre});
        const double slot = kPanelWidth / double(answers.size());
        for (int i = 0; i < answers.size(); ++i) {
            m_answers << makeLabel(this, QStringLiteral("Answer%1").arg(i),
                                   QRectF(slot * i + 150, kAnswerTop, slot - 300, 735),
                                   answers.at(i),
                                   TextLook{Face::Serif, 24, Qt::white, Align::Centre});
        }
        m_frame = new Outline(this, QStringLiteral("Frame"), QRectF(), Qt::red, 3);
        frame();
    }

    int chosen() const { return m_chosen; }

    // Escape, the window manager's close, the panel going away: none of them is an answer.
    void reject() override
    {
        m_chosen = -1;
        QDialog::reject();
    }

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), kPanelGrey); }

    void keyPressEvent(QKeyEvent* event) override
    {
        const int count = int(m_answers.size());
        switch (keyCode(*event)) {
        case kKeyLeft:
        case kKeyUp:
            m_chosen = (m_chosen + count - 1) % count;
            frame();
            break;
        case kKeyRight:
        case kKeyDown:
            m_chosen = (m_chosen + 1) % count;
            frame();
            break;
        case kKeyEnter:
            accept();
            break;
        case kKeyEscape:
            reject();
            break;
        default:
            break;
        }
    }

private:
    void frame() { m_frame->setGeometry(m_answers.at(m_chosen)->geometry()); }

    QList<QLabel*> m_answers;
    Outline* m_frame = nullptr;
    int m_chosen;
};

} // namespace

int choose(QWidget* owner, const QString& question, const QStringList& answers, int initial)
{
    QuestionPanel panel(owner, question, answers, initial);
    if (owner)
        panel.move(owner->window()->geometry().center() - panel.rect().center());
    panel.exec();
    return panel.chosen();
}

bool confirm(QWidget* owner, const QString& question)
{
    return choose(owner, question, {QStringLiteral("Sí"), QStringLiteral("No")}, 1) == 0;
}
