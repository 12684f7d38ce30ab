#include "app/SetupApp.h"
#include "app/SetupState.h"
#include "engine/Extraction.h"

// The run without a page: no progress, no cancel. The first entry that cannot
// be installed ends it, and the shortfall in installedCount rolls it back.
void SetupApp::ExtractPayloadSilently() {
    ExtractionRun run;
    run.Begin();
    for (int i = 0; i < setupState.fileCount; ++i)
        if (run.InstallEntry(i) != ExtractionRun::ENTRY_INSTALLED) break;
    run.End();
}
