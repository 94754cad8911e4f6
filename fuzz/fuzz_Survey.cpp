// A site-survey CSV file read back through the labels of the real wizard's pages.
#include "FuzzInput.h"

#include "app/Brambleon.h"
#include "pages/LoadedSet.h"
#include "pages/SurveyReader.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    FuzzInput::isolate(true);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static Brambleon *wizard = new Brambleon; // its pages only answer label lookups
    QHash<QString, QString> loaded;
    if (SurveyReader::readFile(wizard, FuzzInput::scratchFile(data, size), loaded) == SurveyReader::Loaded)
        LoadedSet::judge(loaded);
    return 0;
}
