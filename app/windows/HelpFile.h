// Which help file F1 and the Contents command hand to the shell.
#pragma once

namespace kobal::win32 {

// "kobal.hlp" from the working directory, as always. Windows 10 and 11 have no viewer for .hlp
// files, so where the working directory also holds "kobal.chm" (the same help as compiled HTML,
// installed beside it) that opens instead, unless kobal.hlp is a real WinHelp file, which a
// machine with WinHelp installed can show. Null when the working directory holds neither.
const wchar_t* ChooseHelpFile();

}  // namespace kobal::win32
