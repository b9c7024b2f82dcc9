// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

// Answers the program's modal windows while a test waits in them: each question panel with
// the keys given (Qt::Key_Close closes it from outside, as a window manager would), each
// message box with Enter (its text noted).
class ModalAnswers : public QObject {
public:
    explicit ModalAnswers(QList<Qt::Key> keys) : m_keys(std::move(keys))
    {
        connect(&m_poll, &QTimer::timeout, this, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                messages << box->text();
                box->accept();
            } else if (modal && modal->objectName() == u"Confirmation") {
                QStringList texts;
                for (const QLabel* label : modal->findChildren<QLabel*>())
                    texts << label->text();
                asked << texts.join(u'|');
                for (Qt::Key key : m_keys) {
                    if (key == Qt::Key_Close)
                        modal->close();
                    else
                        QTest::keyClick(modal, key);
                }
            }
        });
        m_poll.start(10);
    }

    QStringList asked; // each question and its answers, '|' between them
    QStringList messages;

private:
    QList<Qt::Key> m_keys;
    QTimer m_poll;
};
