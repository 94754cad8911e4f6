#include "pages/ProductPage.h"

#include "data/WarningBox.h"
#include "data/WizardData.h"
#include "device/DownloadDialog.h"
#include "pages/FieldError.h"
#include "pages/LoadedSet.h"
#include "pages/SurveyReader.h"
#include "pages/TextRules.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTextStream>
#include <QVBoxLayout>
#include <QWizard>

#include <utility>

namespace
{
struct ProductEntry {
    const char *name;
    const char *picture;
};

const ProductEntry kProductEntries[ProductPage::ProductCount] = {
    {"Quorvex A1", ":/images/qa1.png"},
    {"Quorvex A1L", ":/images/qa1l.png"},
    {"Quorvex A2", ":/images/qa2.png"},
    {"Quorvex A3", ":/images/qa3.png"},
    {"Quorvex B6", ":/images/qb8.png"}, // shares the B8 front
    {"Quorvex B7", ":/images/qb7.png"},
    {"Quorvex B8", ":/images/qb8.png"},
    {"Quorvex Virtual (X1/X2)", ":/images/qsw.png"},
    {"Quorvex C9", ":/images/qc9.png"},
    {"Quorvex A1 KRBX", ":/images/qa1_krbx.png"},
    {"Quorvex A1L KRBX", ":/images/qa1l_krbx.png"},
    {"Quorvex A2 KRBX", ":/images/qa2_krbx.png"},
    {"Quorvex A3 KRBX", ":/images/qa3_krbx.png"},
    {"Quorvex A2 CCE", ":/images/qa2.png"},
    {"Quorvex Virtual (X1/X2) CCE", ":/images/qsw.png"},
};

const char *const kVersions[] = {"6.6", "6.8", "7.0", "7.2"};

const char *const kCountries[] = {"Afghanistan", "Albania", "Algeria", "Andorra", "Angola", "Antigua And Barbuda",
    "Argentina", "Armenia", "Aruba", "Australia", "Austria", "Azerbaijan", "Bahamas", "Bahrain", "Bangladesh",
    "Barbados", "Belarus", "Belgium", "Belize", "Benin", "Bhutan", "Bolivia", "Bosnia And Herzegowina", "Botswana",
    "Brazil", "Brunei", "Bulgaria", "Burkina Faso", "Burma", "Burundi", "Cambodia", "Cameroon", "Canada",
    "Cape Verde", "Central African Republic", "Chad", "Chile", "China", "Colombia", "Comoros", "Congo Kinshasa",
    "Congo Brazzaville", "Costa Rica", "Cote d'Ivoire", "Croatia", "Cuba", "Curacao", "Cyprus", "Czech Republic",
    "Denmark", "Djibouti", "Dominica", "Dominican Republic", "East Timor", "Ecuador", "Egypt", "El Salvador",
    "Equatorial Guinea", "Eritrea", "Estonia", "Ethiopia", "Fiji", "Finland", "France", "Gabon", "Gambia",
    "Georgia", "Germany", "Ghana", "Greece", "Grenada", "Guatemala", "Guinea", "Guinea-Bissau", "Guyana", "Haiti",
    "Holy See", "Honduras", "Hong Kong", "Hungary", "Iceland", "India", "Indonesia", "Iran", "Iraq", "Ireland",
    "Israel", "Italy", "Jamaica", "Japan", "Jordan", "Kazakhstan", "Kenya", "Kiribati", "Kosowo", "Kuwait",
    "Kyrgyzstan", "Laos", "Latvia", "Lebanon", "Lesotho", "Liberia", "Libya", "Liechtenstein", "Lithuania",
    "Luxembourg", "Macau", "Macedonia", "Madagascar", "Malawi", "Malaysia", "Maldives", "Mali", "Malta",
    "Marshall Islands", "Mauritania", "Mauritius", "Mexico", "Micronesia", "Moldova", "Monaco", "Mongolia",
    "Montenegro", "Morocco", "Mozambique", "Myanmar", "Namibia", "Nauru", "Nepal", "Netherlands",
    "Netherlands Antilles", "New Zealand", "Nicaragua", "Niger", "Nigeria", "North Korea", "Norway", "Oman",
    "Pakistan", "Palau", "Palestinian Territories", "Panama", "Papua New Guinea", "Paraguay", "Peru",
    "Philippines", "Poland", "Portugal", "Puerto Rico", "Qatar", "Romania", "Russia", "Rwanda", "Samoa",
    "SanMarino", "Saudi Arabia", "Senegal", "Serbia", "Seychelles", "Sierra Leone", "Singapore", "Slovakia",
    "Slovenia", "Solomon Islands", "Somalia", "South Africa", "South Korea", "Spain", "Sri Lanka", "Sudan",
    "Suriname", "Swaziland", "Sweden", "Switzerland", "Syria", "Taiwan", "Tajikistan", "Tanzania", "Thailand",
    "Togo", "Tokelau", "Tonga", "Trinidad And Tobago", "Tunisia", "Turkey", "Turkmenistan", "Tuvalu", "Uganda",
    "Ukraine", "United Arab Emirates", "United Kingdom", "United States", "Uruguay", "Uzbekistan", "Vanuatu",
    "Venezuela", "Vietnam", "Yemen", "Zambia", "Zimbabwe"};

const char kProductComment[] = "QA1=Quorvex A1; QA2=Quorvex A2; QA3=Quorvex A3; QB6=Quorvex B6; QB7=Quorvex B7; "
                               "QB8=Quorvex B8; QSW=Quorvex Virtual; QC9=Quorvex C9; QA1_KRBX=Quorvex A1 KRBX; "
                               "QA2_KRBX=Quorvex A2 KRBX; QA3_KRBX=Quorvex A3 KRBX";

int buttonWidth(const QString &text)
{
    return QFontMetrics(QApplication::font()).horizontalAdvance(text);
}

// The list position of a product code; -1 for a code no product has.
int productOf(const QString &code)
{
    int index = ProductPage::ProductCount - 1;
    while (index >= 0 && WizardData::productCode(index) != code)
        --index;
    return index;
}

// Selects a stored list position when it is one of the list's.
void selectPosition(QComboBox *list, int position)
{
    if (position >= 0 && position < list->count())
        list->setCurrentIndex(position);
}
} // namespace

ProductPage::ProductPage(QWidget *parent)
    : BrambleonPage(parent)
{
    step = 1;
    nextPage = 2;
    setTitle(QStringLiteral("Product"));
    setSubTitle(QStringLiteral("Choose product type and version."));

    m_product = new QComboBox(this);
    m_version = new QComboBox(this);
    m_country = new QComboBox(this);
    m_customer = new QLineEdit(this);
    m_integrator = new QLineEdit(this);
    m_installer = new QLineEdit(this);
    m_useDefaults = new QCheckBox(QStringLiteral("Use defaults from template"), this);
    m_product->setObjectName(QStringLiteral("product"));
    m_version->setObjectName(QStringLiteral("version"));
    m_country->setObjectName(QStringLiteral("country"));
    m_customer->setObjectName(QStringLiteral("customer"));
    m_integrator->setObjectName(QStringLiteral("integrator"));
    m_installer->setObjectName(QStringLiteral("installer"));
    m_useDefaults->setObjectName(QStringLiteral("useDefaults"));
    m_productLabel = rowLabel(QStringLiteral("&Product:"), m_product, this);
    m_versionLabel = rowLabel(QStringLiteral("&Version:"), m_version, this);
    m_customerLabel = rowLabel(QStringLiteral("&End Customer:"), m_customer, this);
    m_countryLabel = rowLabel(QStringLiteral("&Country:"), m_country, this);
    m_integratorLabel = rowLabel(QStringLiteral("&Integrator:"), m_integrator, this);
    m_installerLabel = rowLabel(QStringLiteral("I&nstaller:"), m_installer, this);
    m_picture = new QLabel(this);
    m_picture->setObjectName(QStringLiteral("picture"));
    m_picture->setPixmap(QPixmap());
    m_loadedFile = new QLabel(this);
    m_loadedFile->setObjectName(QStringLiteral("loadedFile"));
    m_loadedFile->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_loadButton = new QPushButton(QStringLiteral("Load File"), this);
    m_loadButton->setObjectName(QStringLiteral("loadFile"));
    m_loadButton->setMaximumWidth(buttonWidth(QStringLiteral("___Load File___")));
    m_connectButton = new QPushButton(QStringLiteral("Connect to Device"), this);
    m_connectButton->setMaximumWidth(buttonWidth(QStringLiteral("___Connect to Device___")));
    connect(m_loadButton, SIGNAL(clicked()), this, SLOT(loadFile()));
    connect(m_connectButton, SIGNAL(clicked()), this, SLOT(connectToDevice()));

    m_customer->setToolTip(QStringLiteral("Company name of the end customer"));
    connect(m_customer, SIGNAL(textChanged(QString)), this, SIGNAL(completeChanged()));
    m_country->setToolTip(QStringLiteral("Country where equipment is installed"));
    for (const char *country : kCountries)
        m_country->addItem(QString::fromUtf8(country));
    m_country->setCurrentIndex(m_country->findText(QStringLiteral("United States")));
    m_countryField = hiddenEdit(m_country->currentText());
    connect(m_country, SIGNAL(currentIndexChanged(int)), this, SLOT(countryChanged(int)));
    connect(m_country, SIGNAL(activated(int)), this, SLOT(choiceActivated()));
    m_integrator->setToolTip(QStringLiteral("Company name of the integrator"));
    connect(m_integrator, SIGNAL(textChanged(QString)), this, SIGNAL(completeChanged()));
    m_installer->setToolTip(QStringLiteral("First and last name of the person performing the installation"));
    connect(m_installer, SIGNAL(textChanged(QString)), this, SIGNAL(completeChanged()));

    for (const ProductEntry &entry : kProductEntries)
        m_product->addItem(QString::fromLatin1(entry.name));
    m_productField = hiddenEdit();
    m_mediaChannels = hiddenEdit();
    m_useDefaults->setChecked(true);
    m_useDefaultsField = hiddenEdit(QStringLiteral("1"));
    connect(m_useDefaults, SIGNAL(stateChanged(int)), this, SLOT(useDefaultsChanged(int)));
    m_product->setCurrentIndex(2);
    productChanged(2);
    connect(m_product, SIGNAL(currentIndexChanged(int)), this, SLOT(productChanged(int)));
    connect(m_product, SIGNAL(currentIndexChanged(int)), this, SIGNAL(completeChanged()));
    connect(m_product, SIGNAL(activated(int)), this, SLOT(choiceActivated()));

    for (const char *version : kVersions)
        m_version->addItem(QString::fromLatin1(version));
    m_version->setCurrentIndex(m_version->findText(QStringLiteral("6.8")));
    m_versionField = hiddenEdit(QStringLiteral("6.8"));
    connect(m_version, SIGNAL(currentIndexChanged(int)), this, SLOT(versionChanged(int)));
    connect(m_version, SIGNAL(currentIndexChanged(int)), this, SIGNAL(completeChanged()));
    connect(m_version, SIGNAL(activated(int)), this, SLOT(choiceActivated()));
    m_krbx = hiddenEdit(QStringLiteral("0"));
    m_cce = hiddenEdit(QStringLiteral("0"));

    QSettings store = WizardData::settings();
    store.beginGroup(QStringLiteral("data"));
    const std::pair<const char *, QLineEdit *> texts[]
        = {{"integrator", m_integrator}, {"installer", m_installer}, {"customer", m_customer}};
    for (const auto &text : texts) {
        const QString saved = store.value(QLatin1String(text.first)).toString();
        if (!saved.isEmpty())
            text.second->setText(saved);
    }
    selectPosition(m_country, store.value(QStringLiteral("country"), -1).toInt());
    selectPosition(m_product, store.value(QStringLiteral("product"), -1).toInt());
    selectPosition(m_version, store.value(QStringLiteral("version"), -1).toInt());
    store.endGroup();
    if (store.value(QStringLiteral("debug/sendStats"), 1).toInt() != 1 && m_customer->text().isEmpty())
        m_customer->setText(QStringLiteral("Test"));

    QWizardPage::registerField(QStringLiteral("PRODUCT_SELECTED"), m_product);
    registerField(QStringLiteral("CUSTOMER"), m_customer);
    registerField(QStringLiteral("COUNTRY"), m_countryField, false, false, QString(), FieldInfo::ListEntry);
    registerField(QStringLiteral("INTEGRATOR"), m_integrator);
    registerField(QStringLiteral("INSTALLER"), m_installer);
    registerField(QStringLiteral("PRODUCT"), m_productField, false, false, QString(), FieldInfo::ListEntry);
    registerField(QStringLiteral("VERSION"), m_versionField, false, false, QString(), FieldInfo::ListEntry);
    registerField(
        QStringLiteral("USE_DEFAULTS"), m_useDefaultsField, false, false, QString(), FieldInfo::HiddenFlag);
    registerField(QStringLiteral("MEDIACHANNELS"), m_mediaChannels);
    setShownBy(m_countryField, m_countryLabel);
    setShownBy(m_productField, m_productLabel);
    setShownBy(m_versionField, m_versionLabel);
    registerField(QStringLiteral("KRBX"), m_krbx, false, false, QString(), FieldInfo::HiddenFlag);
    registerField(QStringLiteral("CCE"), m_cce, false, false, QString(), FieldInfo::HiddenFlag);

    auto *grid = new QGridLayout;
    grid->addWidget(m_productLabel, 0, 0);
    grid->addWidget(m_product, 0, 1, 1, 2);
    grid->addWidget(m_versionLabel, 1, 0);
    grid->addWidget(m_version, 1, 1, 1, 2);
    grid->addWidget(new QLabel(this), 2, 0);
    grid->addWidget(m_useDefaults, 3, 1, 1, 2);
    grid->addWidget(new QLabel(this), 4, 0, 1, 3);
    grid->addWidget(m_picture, 5, 1, 1, 2);
    grid->addWidget(new QLabel(this), 6, 0, 1, 3);
    grid->addWidget(m_customerLabel, 7, 0);
    grid->addWidget(m_customer, 7, 1, 1, 2);
    grid->addWidget(m_countryLabel, 8, 0);
    grid->addWidget(m_country, 8, 1, 1, 2);
    grid->addWidget(m_integratorLabel, 9, 0);
    grid->addWidget(m_integrator, 9, 1, 1, 2);
    grid->addWidget(m_installerLabel, 10, 0);
    grid->addWidget(m_installer, 10, 1, 1, 2);
    grid->addWidget(new QLabel(this), 11, 0, 1, 3);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_loadedFile, 1, Qt::AlignRight | Qt::AlignVCenter);
    buttons->addWidget(m_loadButton);
    buttons->addWidget(m_connectButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    // The rows were made in another order than they stand in.
    QWidget *previous = m_product;
    for (QWidget *next : std::initializer_list<QWidget *>{m_version, m_useDefaults, m_customer, m_country,
             m_integrator, m_installer, m_loadButton, m_connectButton}) {
        setTabOrder(previous, next);
        previous = next;
    }

    modified = true;
}

QString ProductPage::productName(int index)
{
    return index >= 0 && index < ProductCount ? QString::fromLatin1(kProductEntries[index].name) : QString();
}

QString ProductPage::productPicture(int index)
{
    return index >= 0 && index < ProductCount ? QString::fromLatin1(kProductEntries[index].picture) : QString();
}

void ProductPage::productChanged(int index)
{
    m_productField->setText(WizardData::productCode(index));
    const QString picture = productPicture(index);
    if (picture.isEmpty())
        m_picture->clear();
    else
        m_picture->setPixmap(QPixmap(picture));
    // Generated files are not loaded for the router and CCE models.
    m_loadButton->setVisible(index < 9 || index > 14);
    modified = true;
}

void ProductPage::versionChanged(int)
{
    m_versionField->setText(m_version->currentText());
    modified = true;
}

void ProductPage::countryChanged(int)
{
    m_countryField->setText(m_country->currentText());
}

void ProductPage::useDefaultsChanged(int state)
{
    m_useDefaultsField->setText(state == Qt::Checked ? QStringLiteral("1") : QStringLiteral("0"));
    modified = true;
}

void ProductPage::initializePage()
{
    setTitle(stepTitle(QStringLiteral("Product")));
    applyLoadedCustomer();
}

void ProductPage::cleanupPage() { }

void ProductPage::applyLoadedCustomer()
{
    const WizardData *data = WizardData::instance();
    const std::pair<const char *, QLineEdit *> rows[]
        = {{"CUSTOMER", m_customer}, {"INTEGRATOR", m_integrator}, {"INSTALLER", m_installer}};
    for (const auto &row : rows) {
        const QString name = QString::fromLatin1(row.first);
        if (data->hasValue(name))
            row.second->setText(data->value(name));
    }
    // A country no entry names was rejected when it was loaded.
    const QString country = LoadedChoices::value(QStringLiteral("COUNTRY"));
    const int index = m_country->findText(country, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (!country.isNull() && index >= 0) {
        m_country->setCurrentIndex(index);
        m_countryField->setText(country);
    }
}

void ProductPage::checkLoadedCountry()
{
    const QString country = LoadedChoices::value(QStringLiteral("COUNTRY"));
    if (!country.isNull() && m_country->findText(country, Qt::MatchExactly | Qt::MatchCaseSensitive) < 0)
        m_loadedChoices.rejectEntry(m_country, m_countryLabel, QStringLiteral("COUNTRY"), country);
}

bool ProductPage::takeLoaded(const QHash<QString, QString> &loaded, const QString &title, const QString &path)
{
    // Judged in place, so that rows are named as the loaded answers will show them; a refused set
    // gives the answers back as they were.
    WizardData *data = WizardData::instance();
    const QHash<QString, QString> before = data->values;
    data->values = loaded;
    QString refusal = LoadedSet::judge(data->values);
    // A batch stops on the page that refuses, with the page's own warning.
    QWizard *frame = wizard();
    if (refusal.isEmpty() && !data->batchMode && frame
        && frame->metaObject()->indexOfSlot("trialRefusal(QString)") >= 0)
        QMetaObject::invokeMethod(
            frame, "trialRefusal", Qt::DirectConnection, Q_RETURN_ARG(QString, refusal), Q_ARG(QString, path));
    if (refusal.isEmpty()) {
        startAfresh();
        return true;
    }
    data->values = before;
    WarningBox::show(nullptr, title, refusal);
    return false;
}

void ProductPage::startAfresh()
{
    // The next pages are built before the answers are there, as at start; only then do they take them.
    QWizard *frame = wizard();
    if (!frame || frame->metaObject()->indexOfSlot("startAfresh()") < 0)
        return;
    WizardData *data = WizardData::instance();
    const QHash<QString, QString> taken = data->values;
    data->values.clear();
    QMetaObject::invokeMethod(frame, "startAfresh");
    data->values = taken;
}

QVector<QPair<QLabel *, QString>> ProductPage::rowMessages() const
{
    QVector<QPair<QLabel *, QString>> rows;
    const bool badVersion = m_product->currentText().contains(QLatin1String("KRBX"))
        && m_version->currentText() != QLatin1String("6.8") && m_version->currentText() != QLatin1String("7.2");
    rows.append({m_versionLabel,
        badVersion ? QStringLiteral("Invalid value - KRBX products support only versions 6.8 and 7.2")
                   : QString()});
    const std::pair<QLineEdit *, QLabel *> edits[]
        = {{m_customer, m_customerLabel}, {m_integrator, m_integratorLabel}, {m_installer, m_installerLabel}};
    const char *const messages[] = {"Invalid value - enter customer name", "Invalid value - enter integrator name",
        "Invalid value - enter installer name"};
    for (int i = 0; i < 3; ++i) {
        // Texts of blanks count as filled.
        const QString text = edits[i].first->text();
        rows.append({edits[i].second,
            text.isEmpty() ? QString::fromLatin1(messages[i]) : TextRules::textError(text, QString())});
    }
    return rows;
}

bool ProductPage::isComplete() const
{
    bool complete = true;
    for (const auto &row : rowMessages()) {
        markFieldError(row.first, !row.second.isEmpty(), row.second);
        complete = complete && row.second.isEmpty();
    }
    return m_loadedChoices.markRows() && complete;
}

int ProductPage::nextId() const
{
    QSettings store = WizardData::settings();
    store.beginGroup(QStringLiteral("data"));
    store.setValue(QStringLiteral("integrator"), m_integrator->text());
    store.setValue(QStringLiteral("installer"), m_installer->text());
    store.setValue(QStringLiteral("customer"), m_customer->text());
    store.setValue(QStringLiteral("country"), m_country->currentIndex());
    store.setValue(QStringLiteral("product"), m_product->currentIndex());
    store.setValue(QStringLiteral("version"), m_version->currentIndex());
    store.endGroup();

    // By the field: a list that shows none for a refused product still answers what it showed.
    const int index = productOf(m_productField->text());
    m_krbx->setText(index >= 9 && index <= 12 ? QStringLiteral("1") : QStringLiteral("0"));
    m_cce->setText(index == 13 || index == 14 ? QStringLiteral("1") : QStringLiteral("0"));
    m_mediaChannels->setText(QString::number(2 * WizardData::maxSessions(index, m_versionField->text())));
    updateSummary();
    return nextPage;
}

void ProductPage::updateSummary() const
{
    QStringList &summary = WizardData::instance()->summaries[1];
    summary.clear();
    summary << QStringLiteral("Product           : ") + m_product->currentText();
    summary << QStringLiteral("Version           : ") + m_versionField->text();
    if (!m_customer->text().isEmpty())
        summary << QStringLiteral("Customer          : ") + m_customer->text();
}

void ProductPage::writeSurvey(QTextStream &out)
{
    writeSurveyHeader(out, surveyTitle());
    writeSurveyLine(out, QStringLiteral("Product"), QString::fromLatin1(kProductComment));
    writeSurveyLine(out, QStringLiteral("Version"));
    writeSurveyLine(out, QStringLiteral("Customer"));
    out << Qt::endl;
}

QString ProductPage::batchRefusal() const
{
    const QString loaded = m_loadedChoices.refusal();
    if (!loaded.isEmpty())
        return loaded;
    for (const auto &row : rowMessages()) {
        if (!row.second.isEmpty())
            return QStringLiteral("Can't continue: %1: %2").arg(rowName(row.first), row.second);
    }
    return QString();
}

void ProductPage::choiceActivated()
{
    m_loadedChoices.forget(sender());
    emit completeChanged();
}

QString ProductPage::surveyTitle() const
{
    return QStringLiteral("Product");
}

QString ProductPage::surveyFieldName(const QString &label) const
{
    if (label == QLatin1String("Product"))
        return QStringLiteral("PRODUCT");
    if (label == QLatin1String("Version"))
        return QStringLiteral("VERSION");
    if (label == QLatin1String("Customer"))
        return QStringLiteral("CUSTOMER");
    return QString();
}

bool ProductPage::loadConfiguration(const QString &path)
{
    QHash<QString, QString> loaded;
    if (!WizardData::readMetadata(path, loaded) || !takeLoaded(loaded, QStringLiteral("Warning"), path))
        return false;
    showLoadedFile(path);
    return true;
}

void ProductPage::showLoadedFile(const QString &path)
{
    m_loadedChoices.forget();
    m_loadedFile->setText(QStringLiteral("%1    ").arg(QFileInfo(path).fileName()));
    if (path.isEmpty()) {
        m_useDefaults->setChecked(true);
        m_useDefaults->setEnabled(true);
        return;
    }
    m_useDefaults->setChecked(false);
    m_useDefaults->setEnabled(false);

    const QString product = LoadedChoices::value(QStringLiteral("PRODUCT"));
    if (!product.isNull()) {
        const int index = productOf(product);
        if (index >= 0)
            m_product->setCurrentIndex(index);
        else
            m_loadedChoices.rejectEntry(m_product, m_productLabel, QStringLiteral("PRODUCT"), product);
    }
    const QString version = LoadedChoices::value(QStringLiteral("VERSION"));
    if (!version.isNull()) {
        const int index = m_version->findText(version, Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (index >= 0)
            m_version->setCurrentIndex(index);
        else
            m_loadedChoices.rejectEntry(m_version, m_versionLabel, QStringLiteral("VERSION"), version);
    }
    checkLoadedCountry();
    // The page may be on screen already: the loaded customer block must not be left stale.
    applyLoadedCustomer();
    emit completeChanged();
}

bool ProductPage::loadSurvey(const QString &path)
{
    const QString title = QStringLiteral("Load Survey");
    QString refusal;
    QHash<QString, QString> loaded;
    switch (SurveyReader::readFile(wizard(), path, loaded, &refusal)) {
    case SurveyReader::Loaded:
        if (!takeLoaded(loaded, title, path))
            return false;
        showLoadedFile(path);
        return true;
    case SurveyReader::NotSurvey:
        WarningBox::show(nullptr, title,
            QStringLiteral("Failed to load site survey.\nThe file was not generated by Brambleon Assistant."));
        break;
    case SurveyReader::WrongVersion:
        WarningBox::show(nullptr, title,
            QStringLiteral("Failed to load site survey.\nThe file was generated by incompatible version of "
                           "Brambleon Assistant."));
        break;
    case SurveyReader::TooLong:
    case SurveyReader::Unreadable:
        WarningBox::show(nullptr, title, refusal);
        break;
    }
    return false;
}

// A refused file changes nothing: the next pages keep what they hold.
void ProductPage::loadPath(const QString &path)
{
    bool taken = true;
    if (path.endsWith(QLatin1String(".ini")))
        taken = loadConfiguration(path);
    else if (path.endsWith(QLatin1String(".csv")))
        taken = loadSurvey(path);
    if (taken)
        modified = true;
}

void ProductPage::loadFile()
{
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Load Configuration File"), QString(),
        QStringLiteral("INI files (*.ini);;Surveys (*.csv)"));
    if (!path.isEmpty())
        loadPath(path);
}

void ProductPage::connectToDevice()
{
    DownloadDialog dialog;
    dialog.exec();
    if (dialog.done())
        applyDeviceRead(dialog.previousDataFile(), dialog.version(), dialog.productIndex());
}

void ProductPage::copyChoices(const ProductPage &page)
{
    // By the fields: a list that shows none for a refused value still answers what it showed before.
    m_product->setCurrentIndex(productOf(page.m_productField->text()));
    m_version->setCurrentIndex(m_version->findText(page.m_versionField->text()));
    m_country->setCurrentIndex(m_country->findText(page.m_countryField->text()));
    m_customer->setText(page.m_customer->text());
    m_integrator->setText(page.m_integrator->text());
    m_installer->setText(page.m_installer->text());
    m_useDefaults->setChecked(page.m_useDefaults->isChecked());
}

void ProductPage::applyDeviceRead(const QString &previousDataFile, const QString &version, int productIndex)
{
    if (!previousDataFile.isEmpty()) {
        loadConfiguration(previousDataFile);
    } else {
        WizardData::instance()->clearValues();
        startAfresh();
        showLoadedFile(QString());
    }
    if (!version.isEmpty()) {
        const int index = m_version->findText(version, Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (index >= 0) {
            m_version->setCurrentIndex(index);
            m_loadedChoices.forget(m_version);
        }
    }
    // A CCE appliance identifies as its base model and keeps the CCE choice.
    int p = productIndex;
    if (m_product->currentIndex() == 13 && p == 2)
        p = 13;
    else if (m_product->currentIndex() == 14 && p == 7)
        p = 14;
    if (p >= 0 && p < ProductCount) {
        m_product->setCurrentIndex(p);
        m_loadedChoices.forget(m_product);
    }
    modified = true;
    emit completeChanged();
}
