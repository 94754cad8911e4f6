#pragma once

// The program's runs in the test's own process. A batch run steps the wizard as the program does
// (Brambleon::batchStep) without the pauses between the steps, so that hundreds of runs take a minute;
// its warnings go to standard error as the program's do (WarningBox::detectHeadless must have run once)
// and are captured.

#include "FreshRun.h"
#include "ModalBoxCloser.h"
#include "app/Brambleon.h"
#include "data/WizardData.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTemporaryFile>

#include <cstdio>
#include <unistd.h>

// Sets (a null value: removes) the metadata line of name; a new line goes after the last one.
inline void setMetadata(QByteArray &answers, const QString &name, const QString &value)
{
    QString text = QString::fromUtf8(answers);
    const QString line = value.isNull() ? QString() : ";# %" + name + "% " + value + "\r\n";
    const QRegularExpression old(
        "^;# %" + QRegularExpression::escape(name) + "%[ \r][^\n]*\n", QRegularExpression::MultilineOption);
    const QRegularExpressionMatch m = old.match(text);
    const int at = m.hasMatch() ? m.capturedStart() : text.indexOf('\n', text.lastIndexOf("\n;# %") + 1) + 1;
    answers = text.replace(at, m.hasMatch() ? m.capturedLength() : 0, line).toUtf8();
}

// A generated file without its random INIFileVersion line.
inline QByteArray withoutVersionLine(QByteArray bytes)
{
    return QString::fromUtf8(bytes).remove(QRegularExpression("INIFileVersion = \\d+\r\n")).toUtf8();
}

struct BatchResult {
    int status = -1; // as the program exits: 0 written, 2 stopped
    QString errors; // what the run printed on standard error
    QByteArray written; // the output without its version line; empty when none was written
};

inline BatchResult batchInProcess(const QString &input, const QString &output)
{
    freshRun();
    WizardData *data = WizardData::instance();
    data->batchMode = true;
    data->batchFile = input;
    data->outputFile = output;
    QTemporaryFile errors;
    if (!errors.open())
        return {-1, QStringLiteral("cannot capture standard error"), QByteArray()};
    std::fflush(stderr);
    const int saved = ::dup(2);
    ::dup2(errors.handle(), 2);
    bool written = false;
    {
        Brambleon wizard;
        wizard.show();
        while (wizard.batchStep()) { }
        written = wizard.result() == QDialog::Accepted;
    }
    std::fflush(stderr);
    ::dup2(saved, 2);
    ::close(saved);
    // A stopped headless run queues the end of an event loop that this run never entered.
    QCoreApplication::removePostedEvents(QCoreApplication::instance(), QEvent::MetaCall);
    errors.seek(0);
    const QByteArray out = QFileInfo(output).isFile() ? TestEnvironment::readFile(output) : QByteArray();
    return {written ? 0 : 2, QString::fromLocal8Bit(errors.readAll()), withoutVersionLine(out)};
}

// The batch run of an answers file's bytes, in a folder of its own.
inline BatchResult batchAnswers(const QByteArray &answers)
{
    const QTemporaryDir dir;
    return batchInProcess(
        TestEnvironment::writeFile(dir.path(), "in.ini", answers), dir.filePath(QStringLiteral("out.ini")));
}

// The answers a user types into an example: the fields whose edit its page shows, and lets the user
// change, on the road the example's answers take. The others hold list indexes, flags and values the
// pages derive, where an empty loaded value is no answer. Empty when the road does not reach its end.
inline QStringList typedAnswers(const QString &example)
{
    freshRun();
    WizardData::settings().setValue(QStringLiteral("debug/sendStats"), 0);
    WizardData *data = WizardData::instance();
    data->paramsMode = 1;
    data->paramsFile = example;
    QStringList names;
    {
        const ModalBoxCloser closer;
        Brambleon wizard;
        wizard.show();
        for (int i = 0; i < 30 && wizard.currentId() != Brambleon::FinishId; ++i) {
            wizard.next();
            for (auto it = data->fields.constBegin(); it != data->fields.constEnd(); ++it) {
                const QLineEdit *edit = it->lineEdit;
                if (edit && edit->isEnabled() && edit->isVisibleTo(wizard.currentPage()))
                    names << it.key();
            }
        }
        if (wizard.currentId() != Brambleon::FinishId || closer.count() > 0)
            names.clear();
    }
    TestEnvironment::freshWizardData();
    return names;
}
