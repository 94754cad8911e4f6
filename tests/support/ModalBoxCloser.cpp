#include "ModalBoxCloser.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>

ModalBoxCloser::ModalBoxCloser(QObject *parent)
    : QObject(parent)
{
    m_timer.setInterval(10);
    connect(&m_timer, SIGNAL(timeout()), this, SLOT(poll()));
    m_timer.start();
}

void ModalBoxCloser::poll()
{
    QWidget *modal = QApplication::activeModalWidget();
    if (!modal)
        return;
    if (auto *box = qobject_cast<QMessageBox *>(modal)) {
        m_boxes << box->windowTitle() + QStringLiteral(": ") + box->text();
        box->done(QMessageBox::Ok);
    } else if (auto *dialog = qobject_cast<QDialog *>(modal)) {
        m_boxes << dialog->windowTitle() + QStringLiteral(": ");
        dialog->reject();
    }
}
