#pragma once

#include "pages/BrambleonPage.h"
#include "pages/LoadedChoices.h"

#include <QHash>
#include <QPair>
#include <QVector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// Product and software version, the customer block, and loading earlier answers from a generated
// INI file, a site survey or a device.
class ProductPage : public BrambleonPage
{
    Q_OBJECT
public:
    static constexpr int ProductCount = 15;

    explicit ProductPage(QWidget *parent = nullptr);

    void initializePage() override;
    // Going Back keeps the answers: the default would reset the hidden fields behind the lists'
    // backs (VERSION, COUNTRY, USE_DEFAULTS would no longer match what is shown).
    void cleanupPage() override;
    bool isComplete() const override;
    int nextId() const override;
    void writeSurvey(QTextStream &out) override;
    QString batchRefusal() const override;
    QString surveyTitle() const override;
    QString surveyFieldName(const QString &label) const override;

    // Loads the answers of a generated INI file or a survey; false, with every answer as it was, when
    // the file is refused.
    bool loadConfiguration(const QString &path);
    bool loadSurvey(const QString &path);
    // Shows where the answers came from and selects the loaded product, version and customer block.
    void showLoadedFile(const QString &path);
    // Loads a chosen file by its ending: ".ini" a generated file, ".csv" a survey, anything else nothing.
    void loadPath(const QString &path);
    // Whether a loaded product, version or country was refused: the route is a guess until one is picked.
    bool choiceRefused() const { return !m_loadedChoices.refusal().isEmpty(); }
    // Shows the choices and customer block that page shows, as an installer would have made them.
    void copyChoices(const ProductPage &page);
    // Applies what a completed device read found: earlier wizard data, software version and model.
    void applyDeviceRead(const QString &previousDataFile, const QString &version, int productIndex);

    static QString productName(int index);
    // Resource name of the product's picture; empty outside the list.
    static QString productPicture(int index);

    // Set whenever the product-side choices change; the setup page acts on it and clears it.
    bool modified = false;

public slots:
    void productChanged(int index);
    void versionChanged(int index);
    void countryChanged(int index);
    void useDefaultsChanged(int state);
    void loadFile();
    void connectToDevice();
    // The user picked an entry of a list: a rejected loaded value of it no longer counts.
    void choiceActivated();

private:
    void updateSummary() const;
    void applyLoadedCustomer();
    // A loaded country no entry names stays with its row, marked.
    void checkLoadedCountry();
    // Takes a loaded set of answers, from the file at path, once it is judged and every refusal it meets
    // on its pages marks a row the installer can answer; otherwise warns under title and changes nothing.
    bool takeLoaded(const QHash<QString, QString> &loaded, const QString &title, const QString &path);
    // Has the wizard build the next pages anew, so that a load starts afresh.
    void startAfresh();
    // Each row label with its message; an empty message for a valid row.
    QVector<QPair<QLabel *, QString>> rowMessages() const;

    QComboBox *m_product;
    QComboBox *m_version;
    QComboBox *m_country;
    QCheckBox *m_useDefaults;
    QLabel *m_picture;
    QLabel *m_productLabel;
    QLabel *m_versionLabel;
    QLabel *m_customerLabel;
    QLabel *m_countryLabel;
    QLabel *m_integratorLabel;
    QLabel *m_installerLabel;
    QLabel *m_loadedFile;
    QLineEdit *m_customer;
    QLineEdit *m_integrator;
    QLineEdit *m_installer;
    QLineEdit *m_countryField;
    QLineEdit *m_productField;
    QLineEdit *m_versionField;
    QLineEdit *m_useDefaultsField;
    QLineEdit *m_mediaChannels;
    QLineEdit *m_krbx;
    QLineEdit *m_cce;
    QPushButton *m_loadButton;
    QPushButton *m_connectButton;
    LoadedChoices m_loadedChoices;
};
