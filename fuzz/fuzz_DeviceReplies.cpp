// A device's replies during the login and on its configuration files page; each input is offered as
// every one of them.
#include "FuzzInput.h"

#include "device/DeviceSession.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    FuzzInput::isolate(false);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray body = FuzzInput::bytes(data, size);
    QString s, m, r, n;
    DeviceSession::readChallenge(body, s, m, r, n);
    DeviceSession::loginResponse(QStringLiteral("Admin"), QStringLiteral("secret"), r, m, n);
    QString error = QStringLiteral("invalid username / password");
    DeviceSession::readLoginResult(body, error);
    DeviceSession::iniFileName(body);
    return 0;
}
