// The update server's info file, read as the welcome page reads it.
#include "FuzzInput.h"

#include "data/WizardData.h"
#include "services/UpdateInfo.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    FuzzInput::isolate(false);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const UpdateInfo info = UpdateInfo::parse(FuzzInput::text(data, size));
    UpdateInfo::isNewer(info.programMajor, info.programMinor, WizardData::VersionMajor, WizardData::VersionMinor);
    UpdateInfo::isNewer(info.packMajor, info.packMinor, 4, 3);
    return 0;
}
