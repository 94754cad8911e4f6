#include "TestEnvironment.h"
#include "data/WizardData.h"
#include "pages/LoadedChoices.h"

#include <QCheckBox>
#include <QSignalSpy>
#include <QtTest>

class TestLoadedChoices : public QObject
{
    Q_OBJECT
private slots:
    void init() { TestEnvironment::freshWizardData(); }

    // A flag reads once, blanks and tabs around it aside (no other white space); empty is no answer,
    // which leaves the box unticked.
    void flagReading()
    {
        using Flag = LoadedChoices::Flag;
        const std::pair<const char *, Flag> rows[] = {{"1", Flag::Ticked}, {" 1", Flag::Ticked},
            {"1 ", Flag::Ticked}, {"\t1 \t", Flag::Ticked}, {"\t1\r", Flag::Unread}, {"0", Flag::Unticked},
            {" 0", Flag::Unticked}, {"", Flag::Unticked}, {"  ", Flag::Unticked}, {"2", Flag::Unread},
            {"01", Flag::Unread}, {"yes", Flag::Unread}, {"1 1", Flag::Unread}, {"-0", Flag::Unread}};
        for (const auto &[text, flag] : rows)
            QVERIFY2(LoadedChoices::flag(text) == flag, text);
    }

    // The box shows the reading and tells its slots; a loaded text that does not read leaves it
    // unticked without a word to its slots and stops the page; one nobody loaded does not.
    void restoreCheck()
    {
        QCheckBox box;
        QSignalSpy toggled(&box, &QCheckBox::toggled);
        LoadedChoices loaded;
        QVERIFY(loaded.restoreCheck(&box, "FLAG", " 1") && box.isChecked() && toggled.count() == 1);
        QVERIFY(loaded.restoreCheck(&box, "FLAG", "yes") && !box.isChecked() && loaded.refusal().isEmpty());
        box.setChecked(true);
        toggled.clear();
        WizardData::instance()->setValue("FLAG", "yes");
        QVERIFY(!loaded.restoreCheck(&box, "FLAG", "yes") && !box.isChecked() && toggled.isEmpty());
        QCOMPARE(loaded.refusal(), "Can't continue: the loaded FLAG 'yes' is not one of the choices");
        QVERIFY(loaded.restoreCheck(&box, "FLAG", "") && !box.isChecked());
    }

    // A hidden choice is what its page declares, whatever its name says.
    void declaredHiddenChoices()
    {
        const std::tuple<const char *, FieldInfo::Choice, const char *, bool> rows[] = {
            {"GROUP", FieldInfo::HiddenServer, " 2 ", true}, {"GROUP", FieldInfo::HiddenServer, "0", false},
            {"LIST", FieldInfo::HiddenCoders, "G711U, OPUS", true}, {"LIST", FieldInfo::HiddenCoders, "x", false},
            {"NATIVE", FieldInfo::HiddenVlan, "4094", true}, {"NATIVE", FieldInfo::HiddenVlan, "0", false},
            {"ON", FieldInfo::HiddenFlag, " 1", true}, {"ON", FieldInfo::HiddenFlag, "2", false}};
        for (const auto &[name, choice, text, valid] : rows) {
            TestEnvironment::addField(name, QString(), false, false, QString(), choice);
            QVERIFY2(LoadedChoices::isHiddenChoice(name) && LoadedChoices::hiddenChoiceValid(name, text) == valid,
                qPrintable(QString(name) + ' ' + text));
        }
        for (const char *name : {"SIP9_CODERS", "X_VLAN_NATIVE", "SIP2_ENABLE"}) {
            TestEnvironment::addField(name, QString(), false, false, QString(), FieldInfo::BoxFlag);
            QVERIFY2(!LoadedChoices::isHiddenChoice(name), name);
        }
        QVERIFY(!LoadedChoices::isHiddenChoice("UNREGISTERED"));
    }
};

BRAMBLEON_TEST_MAIN(TestLoadedChoices)
#include "tst_LoadedChoices.moc"
