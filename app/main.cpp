// Program entry: the application object, the three windows and the message loop.
#include <windows.h>

#include "app/Attention.h"
#include "app/PassLock.h"
#include "app/TestMain.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinManagerStartup.h"
#include "skin/forms/acDialsHook.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  try {
    Application->Initialize();
    // The main window's description holds the skin manager.
    skin::RegisterSkinManagerClasses();
    // Message boxes and the file dialog are skinned through the manager's hook.
    skin::Ac_InstallDialogHook();
    Application->SetHelpFile(L"");
    Application->SetTitle(L"Tarvisel");
    Application->CreateForm(Form1);
    // "/noskin" starts the program with skinning off: plain system drawing when a skin misbehaves
    // on some machine, and the second pass of the end-to-end tests.
    if (skin::CommandLineHas(L"/noskin"))
      if (skin::TsSkinManager* manager = skin::DefaultManager()) manager->SetActive(false);
    Application->CreateForm(Form2);
    Application->CreateForm(frmPassLock);
    Application->Run();
  } catch (...) {
    Application->HandleException(nullptr);
  }
  FinalizeApplication();
  return 0;
}
