#pragma once

#include <QObject>
#include <QStringList>
#include <QTimer>

// Closes every modal dialog that opens while it lives and records the texts of message boxes,
// so code under test that shows a box never hangs a test.
class ModalBoxCloser : public QObject
{
    Q_OBJECT
public:
    explicit ModalBoxCloser(QObject *parent = nullptr);
    // Titles and texts of the boxes closed so far, as "title: text".
    QStringList boxes() const { return m_boxes; }
    int count() const { return m_boxes.size(); }

private slots:
    void poll();

private:
    QTimer m_timer;
    QStringList m_boxes;
};
