#include "app/Brambleon.h"

#include "app/SavedSession.h"
#include "data/WarningBox.h"
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

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QPixmap>
#include <QTimer>

#include <algorithm>

#include <sys/stat.h>

namespace
{
// Whether both names lead to one file: the same path, another name of it or a link to it.
bool sameFile(const QString &first, const QString &second)
{
    struct stat a, b;
    return ::stat(QFile::encodeName(first).constData(), &a) == 0
        && ::stat(QFile::encodeName(second).constData(), &b) == 0 && a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}
} // namespace

Brambleon::Brambleon(QWidget *parent, Kind kind)
    : QWizard(parent, Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    // The order of creation is the order in which the pages register their fields.
    setPage(IntroId, new IntroPage(this));
    setPage(ProductId, new ProductPage(this));
    addAnswerPages();
    if (kind == Trial)
        return;

    setStartId(IntroId);
    setWizardStyle(QWizard::ModernStyle);
    setPixmap(QWizard::LogoPixmap, QPixmap(QStringLiteral(":/images/logo.png")));
    setWindowTitle(QStringLiteral("Brambleon Assistant"));
    // One window size for every page: what the largest needs (the gateway page of an E1 trunk is the
    // widest, the gateway and SIP trunk pages the tallest), in units of the font so that it follows
    // the user's fonts. A page that needs more still makes the window grow rather than cut it.
    const QFontMetrics metrics(QApplication::font());
    resize(180 + metrics.horizontalAdvance(QStringLiteral("abcdefghijklmnopqrstuvwxyz")) * 13 / 4,
        360 + 16 * metrics.lineSpacing());

    setOption(QWizard::HaveHelpButton, true);
    setOption(QWizard::HelpButtonOnRight, false);
    connect(this, SIGNAL(helpRequested()), this, SLOT(showHelp()));
    connect(this, SIGNAL(currentIdChanged(int)), this, SLOT(pageEntered(int)));

    Stats::instance()->init(!WizardData::instance()->batchMode);
    startRun();
}

void Brambleon::addAnswerPages()
{
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
}

void Brambleon::pageEntered(int id)
{
    if (id >= SetupId)
        m_answerPagesEntered = true;
    // A load is tried on its own road; another road the installer took since can lead to a page that
    // refuses an answer on a row they cannot answer there. Say why, and go back.
    if (WizardData::instance()->batchMode || id < SetupId || id >= ConclusionId)
        return;
    const auto *entered = qobject_cast<BrambleonPage *>(currentPage());
    const QString refusal = entered ? entered->unseenRefusal() : QString();
    if (refusal.isEmpty())
        return;
    WarningBox::show(this, QStringLiteral("Warning"), refusal);
    QTimer::singleShot(0, this, SLOT(back()));
}

void Brambleon::startAfresh()
{
    if (!m_answerPagesEntered)
        return;
    m_answerPagesEntered = false;
    QList<QWizardPage *> old;
    for (int id : pageIds()) {
        if (id >= SetupId) {
            old << page(id);
            removePage(id);
        }
    }
    // Their registry entries go with them: a page built below may read another's field before that
    // one is built again.
    WizardData *data = WizardData::instance();
    for (auto it = data->fields.begin(); it != data->fields.end();) {
        const QWidget *edit = it->lineEdit;
        const bool gone = std::any_of(
            old.cbegin(), old.cend(), [edit](const QWizardPage *p) { return edit && p->isAncestorOf(edit); });
        it = gone ? data->fields.erase(it) : std::next(it);
    }
    qDeleteAll(old);
    addAnswerPages();
    // New pages join the focus chain at its end, behind the buttons: Help goes back behind them, so
    // that Tab leaves a page for Help, Back, Next and Cancel as they stand.
    QWidget *help = button(HelpButton);
    QWidget *last = button(BackButton)->previousInFocusChain();
    while (last != help && last->focusPolicy() == Qt::NoFocus)
        last = last->previousInFocusChain();
    if (last != help)
        setTabOrder(last, help);
}

QString Brambleon::trialRefusal(const QString &path)
{
    const SavedSession saved;
    WizardData *data = WizardData::instance();
    const QHash<QString, QString> loaded = data->values;
    // Built as at start, before the answers are there.
    data->values.clear();
    Brambleon trial(nullptr, Trial);
    data->values = loaded;
    auto *product = static_cast<ProductPage *>(trial.page(ProductId));
    product->copyChoices(*static_cast<const ProductPage *>(page(ProductId)));
    product->showLoadedFile(path);
    return trial.walkRefusal();
}

QString Brambleon::walkRefusal()
{
    // Behind a refused product or version, or a setup page the installer must answer first, the route
    // is a guess: there only a loaded value refused on a row nobody can answer counts, since no list
    // holds it whatever the installer chooses.
    auto *product = static_cast<ProductPage *>(page(ProductId));
    bool guessed = product->choiceRefused();
    int id = product->nextId();
    while (id >= SetupId && id < ConclusionId) {
        auto *current = qobject_cast<BrambleonPage *>(page(id));
        if (!current)
            break;
        current->initializePage();
        const QString refusal = current->unseenRefusal(guessed);
        if (!refusal.isEmpty())
            return refusal;
        guessed = guessed || (id == SetupId && !current->isComplete());
        id = current->nextId();
    }
    return QString();
}

void Brambleon::showHelp()
{
    HelpBrowser::showPage(currentId());
}

void Brambleon::startRun()
{
    WizardData *data = WizardData::instance();
    if (data->batchMode) {
        QTimer::singleShot(200, this, SLOT(batchNext()));
        return;
    }
    // A params file that does not exist is skipped without a word.
    if (!data->paramsFile.isEmpty() && QFileInfo::exists(data->paramsFile))
        static_cast<ProductPage *>(page(ProductId))->loadConfiguration(data->paramsFile);
}

void Brambleon::batchNext()
{
    if (batchStep())
        QTimer::singleShot(100, this, SLOT(batchNext()));
}

bool Brambleon::batchStep()
{
    WizardData *data = WizardData::instance();
    if (nextId() == -1) {
        auto *finish = static_cast<FinishPage *>(page(FinishId));
        // A CLI script keeps no answers: written over its own input, they could never be loaded again.
        if (finish->isKrbx() && sameFile(data->batchFile, data->outputFile)) {
            WarningBox::show(this, QStringLiteral("Warning"),
                QStringLiteral("Can't write file '%1': it is the input file, and a CLI script keeps no answers")
                    .arg(QDir::toNativeSeparators(data->outputFile)));
            return false;
        }
        if (!finish->writeConfigFile(data->outputFile)) {
            finish->warnUnwritable(data->outputFile);
            return false;
        }
        accept();
        return false;
    }

    const int before = currentId();
    next();
    setWindowState(windowState() | Qt::WindowMinimized);
    if (currentId() == before) {
        WarningBox::show(this, QStringLiteral("Warning"), QStringLiteral("Can't continue to the next page"));
        return false;
    }
    if (currentId() == ProductId) {
        if (!QFileInfo::exists(data->batchFile)) {
            WarningBox::show(this, QStringLiteral("Warning"),
                QStringLiteral("Can't find batch file '%1'").arg(data->batchFile));
            return false;
        }
        // A refused file has had the loader's own message; answering with nothing would write a wrong file.
        if (!static_cast<ProductPage *>(page(ProductId))->loadConfiguration(data->batchFile))
            return false;
    }
    // A page that cannot go on with what it was given stops the batch rather than write another answer.
    const auto *current = qobject_cast<BrambleonPage *>(currentPage());
    const QString refusal = current ? current->batchRefusal() : QString();
    if (!refusal.isEmpty()) {
        WarningBox::show(this, QStringLiteral("Warning"), refusal);
        return false;
    }
    return true;
}
