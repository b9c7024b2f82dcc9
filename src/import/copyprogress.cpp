// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/copyprogress.h"

#include "form/confirmation.h"
#include "form/elements.h"
#include "form/keycodes.h"
#include "form/twips.h"
#include "import/copyengine.h"

#include <QKeyEvent>
#include <QPainter>
#include <QProgressBar>
#include <QThread>
#include <memory>

CopyProgressPanel::CopyProgressPanel(QWidget* owner, CopyEngine& engine)
    : QDialog(owner), m_engine(engine)
{
    setObjectName(QStringLiteral("CopyProgress"));
    setWindowTitle(QStringLiteral("Sofavio"));
    setWindowFlag(Qt::FramelessWindowHint);
    setFixedSize(toPixels(QSizeF(9000, 3900)));
    makeLabel(this, QStringLiteral("Title"), QRectF(0, 240, 9000, 600), QStringLiteral("Copiando"),
              TextLook{Face::Serif, 27.75, Qt::white, Align::Centre});
    m_file = makeLabel(this, QStringLiteral("File"), QRectF(480, 1000, 8040, 450), QString(),
                       TextLook{Face::Sans, 15.75, Qt::white, Align::Centre});
    m_count = makeLabel(this, QStringLiteral("Count"), QRectF(480, 1500, 8040, 450), QString(),
                        TextLook{Face::Sans, 15.75, QColor(224, 224, 224), Align::Centre});
    m_bar = new QProgressBar(this);
    m_bar->setRange(0, 1000);
    m_bar->setTextVisible(false);
    setTwipRect(m_bar, QRectF(480, 2100, 8040, 500));
    makeLabel(this, QStringLiteral("Hint"), QRectF(480, 3000, 8040, 450),
              QStringLiteral("Esc  Cancelar"),
              TextLook{Face::Serif, 15.75, Qt::white, Align::Centre});

    connect(&engine, &CopyEngine::fileStarted, this,
            [this](int index, int count, const QString& name) {
                m_file->setText(name);
                m_count->setText(QStringLiteral("%1 de %2").arg(index).arg(count));
            });
    connect(&engine, &CopyEngine::bytesCopied, this, [this](qint64 done, qint64 total) {
        m_bar->setValue(total > 0 ? int(1000 * done / total) : 0);
    });
    connect(&engine, &CopyEngine::replaceAsked, this, &CopyProgressPanel::askReplace);
    connect(&engine, &CopyEngine::finished, this, &QDialog::accept);
}

void CopyProgressPanel::runModal()
{
    const std::unique_ptr<QThread> worker(QThread::create([this] { m_engine.run(); }));
    if (parentWidget())
        move(parentWidget()->window()->geometry().center() - rect().center());
    worker->start();
    exec();
    worker->wait();
}

void CopyProgressPanel::askReplace(const QString& name)
{
    // Asked just before Escape cancelled the copy, and heard only after: nobody waits for it.
    if (m_engine.cancelled())
        return;
    const int chosen = choose(
        this, QStringLiteral("Ya hay un archivo «%1» en el destino. ¿Reemplazarlo?").arg(name),
        {QStringLiteral("Sí"), QStringLiteral("No"), QStringLiteral("Sí a todo"),
         QStringLiteral("Cancelar")},
        1);
    m_engine.answer(chosen < 0 ? CopyEngine::Cancel : CopyEngine::Answer(chosen));
}

void CopyProgressPanel::keyPressEvent(QKeyEvent* event)
{
    if (keyCode(*event) == kKeyEscape)
        reject();
}

void CopyProgressPanel::reject()
{
    // Also what closing the panel from outside (a window manager's close) comes to. The panel
    // stays until the worker has stopped, so nothing is left running behind the program's back.
    m_engine.cancel();
}

void CopyProgressPanel::paintEvent(QPaintEvent*)
{
    QPainter(this).fillRect(rect(), kPanelGrey);
}
