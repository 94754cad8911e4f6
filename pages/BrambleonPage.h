#pragma once

#include "data/FieldInfo.h"

#include <QString>
#include <QWizardPage>

class QLabel;
class QLineEdit;
class QTextStream;

// Base of every wizard page: its place in the route, field registration into both the wizard
// and the WizardData registry, and the site-survey hooks.
class BrambleonPage : public QWizardPage
{
    Q_OBJECT
public:
    explicit BrambleonPage(QWidget *parent = nullptr);

    // Writes the page's section of the site survey; the base writes nothing.
    virtual void writeSurvey(QTextStream &out);
    // Title by which the page's survey section is written and recognised.
    virtual QString surveyTitle() const;
    // Wizard field of a survey row label; empty when the label is not one of the page's rows.
    virtual QString surveyFieldName(const QString &label) const;

    // One survey row: label, value of the mapped field and an optional comment in brackets.
    void writeSurveyLine(QTextStream &out, const QString &label, const QString &comment = QString());
    // One survey row whose value the page gives, where the field's text is not what a reader takes.
    void writeSurveyValue(QTextStream &out, const QString &label, const QString &value, const QString &comment);
    void writeSurveyHeader(QTextStream &out, const QString &title);

    bool isKrbx() const;
    bool isCce() const;

    // The label that names a row; it is what an invalid row colours.
    static QLabel *rowLabel(const QString &text, QWidget *buddy, QWidget *parent);

    // "<title>  (Step <step> of <stepCount>)"
    QString stepTitle(const QString &title) const;

    int nextId() const override { return nextPage; }
    // Why a batch cannot go on from this page, as the text of its warning; empty when it can.
    virtual QString batchRefusal() const;
    // Why the installer, just entered on this page, would be held on it with nothing they can answer
    // to go on: a loaded value refused on a row they cannot see or change, or (unless loadedOnly) the
    // page incomplete with no such row marked. The batch warning; empty when every refusal has a row
    // to answer.
    QString unseenRefusal(bool loadedOnly = false) const;

    int step = 0;
    int nextPage = 0;

    // Steps announced in every page title; rewritten by the page routing.
    static int stepCount;

protected:
    void showEvent(QShowEvent *event) override;
    // Before the page writes its survey rows: its own commit (after entering the page again when enter
    // is set), only where the widgets show the current fields; elsewhere the fields are written as
    // they stand, so that a survey never puts widgets over answers they have not shown.
    void commitForSurvey(bool enter);
    // Another page's registry field; a page that is not built yet reads as empty, without a warning.
    static QString answer(const QString &name);
    // The wizard's own combo-box fields (APPLICATION_SELECTED, PRODUCT_SELECTED).
    int selected(const QString &name) const;
    // An answer as the pages will take it, also before the page that commits it is shown: the value
    // loaded for the field (blanks aside), else the field's text; the application likewise.
    static QString comingAnswer(const QString &name);
    int comingApplication() const;
    // Registers the field with the wizard and in the WizardData registry. A trailing "*" on the
    // name marks it mandatory; choice declares what a loaded value of it is (FieldInfo::Choice).
    void registerField(const QString &name, QLineEdit *lineEdit, bool templateControlled = false,
        bool presetFromTemplate = false, const QString &companionField = QString(),
        FieldInfo::Choice choice = FieldInfo::Answer);
    // A line edit that holds a derived value and is never shown.
    QLineEdit *hiddenEdit(const QString &text = QString());
    // The row that shows a registered field's hidden holder (its list's label): a refusal of a loaded
    // value of the field names that row.
    static void showFieldBy(const QString &field, QWidget *row);
    // A hidden edit for a name or label a template or loaded file sets: refusals name it as the row
    // that summary and survey call "Name" (in section, when given).
    QLineEdit *nameEdit(QWidget *section = nullptr);
    // Transport, listening port and the per-transport port slots of one SIP entity (prefix such as
    // "SIP1"). Transport and listening port start at "0" (UDP) and localPort until a template's
    // defines set them. The slots (_UDP_, _TCP_, _TLS_LOCAL_PORT) start empty: only the transport
    // fix-ups fill them, from the transport and listening port, when the entity's page is on the
    // route; an entity off the route writes no port into the metadata. The slots name the listening
    // port as companion: a slot restored from loaded answers brings the loaded listening port along.
    void registerSipPorts(
        const QString &prefix, bool withInterface, const QString &localPort = QStringLiteral("5060"));
    // The same with the page's own listening-port edit as the local port field; returns the hidden
    // transport edit, which the page's transport combo writes.
    QLineEdit *registerSipPorts(const QString &prefix, bool withInterface, QLineEdit *localPort);

private slots:
    void fieldEdited();

private:
    // The widgets show the fields as they stand: the page has been on screen since anything but the
    // page itself (a loaded file, a template, another page) last changed one of them.
    bool m_showsAnswers = false;
};
