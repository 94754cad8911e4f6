// A running device's INI file as the download road reads it: the earlier wizard file it leads back to,
// its software version and model, and the interface settings imported as answers.
#include "FuzzInput.h"

#include "data/WizardData.h"
#include "device/DeviceIniImport.h"
#include "device/DeviceSession.h"
#include "device/DownloadSession.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    FuzzInput::isolate(false);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString address = QStringLiteral("10.15.20.40");
    const QString text = DeviceSession::bodyText(FuzzInput::bytes(data, size));
    DownloadSession::previousDataCandidate(text, address);
    WizardData::versionFromIni(text);
    WizardData::productFromBoardType(text);
    DeviceIniImport::importDeviceIni(text, address);
    return 0;
}
