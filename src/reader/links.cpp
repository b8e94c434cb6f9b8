#include "reader/links.h"

#include "form/tform1.h"

#include <string>

namespace {

std::string onHomePage(std::string_view path) { return std::string(links::homePage) + std::string(path); }

} // namespace

void TForm1::TULKonline1Click() { services_.shell.openUrl(std::string(links::homePage)); }

void TForm1::Lookforupdate1Click() { services_.shell.openUrl(onHomePage(links::updatePage)); }

void TForm1::DownloadZAZURE1Click() { services_.shell.openUrl(onHomePage(links::romPack)); }

void TForm1::Downloademulator1Click() { services_.shell.openUrl(onHomePage(links::emulatorArchive)); }

void TForm1::GotoMSXDatabase1Click() { services_.shell.openUrl(std::string(links::msxDatabase)); }

void TForm1::ContactUS1Click() { services_.shell.openMail("mailto:" + std::string(links::mailAddress)); }

// "c:\command": the system's command interpreter, in the current directory.
void TForm1::Prompt1Click() { services_.shell.openCommandInterpreter(); }

void TForm1::MSDOS1Click() { services_.shell.openCommandInterpreter(); }
