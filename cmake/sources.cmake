# Source lists. The portable core includes no Windows header and builds on
# both targets; the rest is the Win32 program.
set(PLOTRA_CORE_SOURCES
  framework/LineSplitter.cpp
  framework/CommandLine.cpp
  framework/DdeCommand.cpp
  app/StartupCommand.cpp
  graph/AxisScale.cpp
  document/NumberText.cpp
)

set(PLOTRA_WIN_SOURCES
  framework/Archive.cpp
  framework/CmdTarget.cpp
  framework/CmdUI.cpp
  framework/DataExchange.cpp
  framework/Dc.cpp
  framework/Dialog.cpp
  framework/DialogColors.cpp
  framework/DocTemplate.cpp
  framework/Document.cpp
  framework/Exception.cpp
  framework/FrameWnd.cpp
  framework/Gdi.cpp
  framework/RecentFileList.cpp
  framework/ShellRegistry.cpp
  framework/String.cpp
  framework/StringArray.cpp
  framework/View.cpp
  framework/WinApp.cpp
  framework/Wnd.cpp
  app/AboutDlg.cpp
  app/MainFrm.cpp
  app/PlorApp.cpp
  document/PlorDoc.cpp
  graph/PlorView.cpp
)

set(PLOTRA_NATIVE_TEST_SOURCES
  tests/native/LineSplitterTest.cpp
  tests/native/CommandLineTest.cpp
  tests/native/AxisScaleTest.cpp
  tests/native/NumberTextTest.cpp
)

set(PLOTRA_WIN_TEST_SOURCES
  tests/win32/TestMain.cpp
  tests/support/AppHarness.cpp
  tests/support/PngWriter.cpp
  tests/support/Screenshot.cpp
  tests/win32/StartupTest.cpp
  tests/win32/MenuTest.cpp
  tests/win32/ShellTest.cpp
  tests/win32/AboutBoxTest.cpp
  tests/win32/DocumentTest.cpp
)
