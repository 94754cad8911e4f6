#pragma once

#include <QWizard>

// The wizard window: the sixteen pages under their fixed ids, logo, title and help.
class Brambleon : public QWizard
{
    Q_OBJECT
public:
    enum PageId {
        IntroId = 0,
        ProductId = 1,
        SetupId = 2,
        SystemId = 3,
        Network1Id = 4,
        Network2Id = 5,
        GatewayId = 6,
        IPPBXId = 7,
        ITSPId = 8,
        DialId = 9,
        UsersId = 10,
        IPPBX2Id = 11,
        FEUId = 12,
        RemoteUsersId = 13,
        ConclusionId = 14,
        FinishId = 15
    };

    // A trial wizard only builds its pages, for trialRefusal: no statistics, no batch or params run.
    enum Kind { Program, Trial };
    explicit Brambleon(QWidget *parent = nullptr, Kind kind = Program);

    // One step of a batch run: move to the next page, load the batch file on the product page,
    // write the output from the finish page. False once the run has ended: written, or stopped by a
    // warning.
    bool batchStep();

public slots:
    void showHelp();
    // One step of a batch run (batchStep), and the next one after a pause while the run goes on.
    void batchNext();
    // Builds every page after the product page anew, as at start: a file the product page has just
    // taken is then answered as a fresh start holding only it would answer, never with what an earlier
    // file or visit left in a page. Only the welcome and product pages may have been shown since.
    void startAfresh();
    // Notes that a page after the product page has been entered: only then can one hold anything but
    // what it was built with. A page that would hold the installer with nothing they can answer there
    // (BrambleonPage::unseenRefusal) warns as a batch would and sends them back.
    void pageEntered(int id);
    // The answers the product page has just judged and holds in WizardData::values, from the file at
    // path, tried on a wizard of their own as the installer would meet them going Next: the batch
    // warning of the first refusal they could not see or answer on its page, else empty. Nothing of
    // this wizard, the answers, the registry or the settings changes.
    QString trialRefusal(const QString &path);

private:
    // The pages after the product page, in the order in which they register their fields.
    void addAnswerPages();
    // Starts a batch or params run once all pages stand.
    void startRun();
    // Enters each page of the route after the product page in turn, as Next does, up to the
    // conclusion; the first page's unseenRefusal, else empty.
    QString walkRefusal();

    bool m_answerPagesEntered = false;
};
