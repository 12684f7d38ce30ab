// The page-driven extraction run: the same file steps as the silent run,
// with the bar and the percentage before each file and the cancel test.
#include "pages/ProgressPage.h"

#include <commctrl.h>

#include "engine/Extraction.h"
#include "fw/CWinApp.h"
#include "res/resource.h"
#include "state/SetupState.h"

LRESULT ProgressPage::OnStartInstall(WPARAM, LPARAM) {
    ExtractionRun run(setupState);
    run.Begin();
    SendDlgItemMessage(IDC_PROGRESS_BAR, PBM_SETPOS, 0, 0);
    m_bCancelled = FALSE;
    for (int i = 0; i < setupState.fileCount; ++i) {
        // i stays within the manifest's slots (an entry past them ends the
        // run), so i * 100 fits an int.
        ShowProgress(i * 100 / setupState.fileCount);
        if (m_bCancelled) break;
        ExtractionRun::EntryResult result = run.InstallEntry(i);
        if (result == ExtractionRun::ENTRY_WRITE_FAILED) {
            // Reported with the stop icon; the page then closes as if the
            // user had closed it, which leads to the resume question.
            CString message;
            message.Format("An invalid file handle was associated with %s.",
                           static_cast<const char*>(run.TemporaryFile()));
            ::MessageBoxA(m_hWnd, message, AfxGetApp()->m_pszAppName, MB_OK | MB_ICONSTOP);
            run.End();
            EndDialog(IDCANCEL);
            return 0;
        }
        if (result != ExtractionRun::ENTRY_INSTALLED) break;
    }
    run.End();
    EndDialog(PAGE_NEXT);
    return 0;
}
