#include "app/Brambleon.h"

#include "data/WizardData.h"
#include "pages/ConclusionPage.h"
#include "pages/DialPage.h"
#include "pages/FEUPage.h"
#include "pages/FinishPage.h"
#include "pages/GatewayPage.h"
#include "pages/IPPBX2Page.h"
#include "pages/IPPBXPage.h"
#include "pages/ITSPPage.h"
#include "pages/IntroPage.h"
#include "pages/Network1Page.h"
#include "pages/Network2Page.h"
#include "pages/ProductPage.h"
#include "pages/RemoteUsersPage.h"
#include "pages/SetupPage.h"
#include "pages/SystemPage.h"
#include "pages/UsersPage.h"
#include "services/HelpBrowser.h"
#include "services/Stats.h"

#include <QPixmap>

Brambleon::Brambleon(QWidget *parent)
    : QWizard(parent, Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    // The order of creation is the order in which the pages register their fields.
    setPage(IntroId, new IntroPage(this));
    setPage(ProductId, new ProductPage(this));
    setPage(SetupId, new SetupPage(this));
    setPage(SystemId, new SystemPage(this));
    setPage(Network1Id, new Network1Page(this));
    setPage(Network2Id, new Network2Page(this));
    setPage(IPPBXId, new IPPBXPage(this));
    setPage(IPPBX2Id, new IPPBX2Page(this));
    setPage(ITSPId, new ITSPPage(this));
    setPage(UsersId, new UsersPage(this));
    setPage(GatewayId, new GatewayPage(this));
    setPage(DialId, new DialPage(this));
    setPage(FEUId, new FEUPage(this));
    setPage(RemoteUsersId, new RemoteUsersPage(this));
    setPage(ConclusionId, new ConclusionPage(this));
    setPage(FinishId, new FinishPage(this));

    setStartId(IntroId);
    setWizardStyle(QWizard::ModernStyle);
    setPixmap(QWizard::LogoPixmap, QPixmap(QStringLiteral(":/images/logo.png")));
    setWindowTitle(QStringLiteral("Brambleon Assistant"));

    setOption(QWizard::HaveHelpButton, true);
    setOption(QWizard::HelpButtonOnRight, false);
    connect(this, SIGNAL(helpRequested()), this, SLOT(showHelp()));

    Stats::instance()->init(!WizardData::instance()->batchMode);
    startRun();
}

void Brambleon::showHelp()
{
    HelpBrowser::showPage(currentId());
}

void Brambleon::startRun()
{
    // Batch stepping (a first step after 200 ms) and the params file load start here.
}
