#include "AnswerPage.h"
#include "TestEnvironment.h"
#include "data/WizardData.h"
#include "pages/FEUPage.h"
#include "pages/RemoteUsersPage.h"
#include "pages/UsersPage.h"

#include <QApplication>
#include <QWizard>
#include <QtTest>

class TestGrabTmp : public QObject
{
    Q_OBJECT
    template <class P> void shoot(int id, const QStringList &given, const QString &file)
    {
        TestEnvironment::freshWizardData();
        QWizardPage *page = new P;
        QWizard wizard;
        auto *answers = new AnswerPage;
        wizard.setPage(3, answers);
        wizard.setPage(id, page);
        answers->set({"APPLICATION_SELECTED=3", "PRODUCT_SELECTED=6", "VERSION=7.2", "NETWORK=LAN_WAN", "KRBX=0",
            "NET1_IP=10.0.0.10", "NET2_IP=20.0.0.20", "NET1_NAT_IP=1.1.1.1", "NET2_NAT_IP=2.2.2.2",
            "SIP1_NETWORK=1", "SIP1_MEDIA_NUMBER=100", "SIP1_MEDIA_START=6000", "SIP1_LOCAL_PORT=5060",
            "SIP1_NAME=Generic IP-PBX", "SIP3_NAME=Additional IP-PBX Server", "SIP2_NAT_IP=2.2.2.2", "SIP2_MEDIA_START=7000", "SIP2_MEDIA_NUMBER=100", "NET1_IF=LAN_IF", "NET2_IF=WAN_IF", "SIP3_ENABLE=0", "SIP2_ENABLE=0", "SIP3_LOCAL_PORT=5090", "SIP3_TRANSPORT_TYPE=0", "SIP1_TRANSPORT_TYPE=0", "SIP3_MEDIA_START=8000", "SIP3_MEDIA_NUMBER=100", "SIP3_MEDIA_PROTOCOL=2"});
        for (const QString &a : given) {
            const QString name = a.section('=', 0, 0);
            if (WizardData::instance()->fields.contains(name) && !answers->edits.contains(name))
                WizardData::instance()->setFieldText(name, a.section('=', 1));
            else
                answers->set(name, a.section('=', 1));
        }
        wizard.setStartId(id);
        wizard.resize(900, 640);
        wizard.show();
        QTest::qWait(100);
        wizard.grab().save(file);
    }
private slots:
    void grab()
    {
        shoot<UsersPage>(10, {"USER_MEDIA_START=7000"}, "/tmp/i16/users.png");
        shoot<FEUPage>(12, {"FEU_ENABLE=1", "FEU_MEDIA_START=9000", "FEU_MEDIA_NUMBER=50"}, "/tmp/i16/feu.png");
        shoot<FEUPage>(12, {"FEU_ENABLE=0"}, "/tmp/i16/feu-off.png");
        shoot<RemoteUsersPage>(13, {"REMOTE_USER1_NAME=Teleworkers", "REMOTE_USER2_NAME=none", "REMOTE_USER3_NAME=none", "REMOTE_USER_MEDIA_START=10000"}, "/tmp/i16/ru1.png");
        shoot<RemoteUsersPage>(13, {"SIP3_ENABLE=1", "REMOTE_USER1_NAME=Teleworkers", "REMOTE_USER2_NAME=WebRTC Clients", "REMOTE_USER2_TRANSPORT_TYPE=3",
            "REMOTE_USER2_LOCAL_PORT=5063", "REMOTE_USER3_NAME=Mobile Clients", "REMOTE_USER3_PBX=2", "REMOTE_USER3_ENABLE=0", "REMOTE_USER1_DOMAIN=home.example.com",
            "REMOTE_USER2_DOMAIN=home.example.com", "REMOTE_USER3_DOMAIN=mobile.example.com", "REMOTE_USER_MEDIA_START=6500"}, "/tmp/i16/ru3.png");
    }
};

BRAMBLEON_TEST_MAIN(TestGrabTmp)
#include "tst_GrabTmp.moc"
