// Which page class belongs to which page template.
#include "res/resource_ids.h"
#include "wizard/destination_page.h"
#include "wizard/finish_page.h"
#include "wizard/information_page.h"
#include "wizard/language_page.h"
#include "wizard/page_list.h"
#include "wizard/program_folder_page.h"
#include "wizard/setup_type_page.h"
#include "wizard/welcome_page.h"

#include <new>

namespace kv {

namespace {
template <typename Page>
std::unique_ptr<WizardPage> make() {
    return std::unique_ptr<WizardPage>(new (std::nothrow) Page());
}
}  // namespace

std::unique_ptr<WizardPage> makePage(int templateId) {
    switch (templateId) {
    case IDD_LANGUAGE_PAGE: return make<LanguagePage>();
    case IDD_WELCOME_PAGE: return make<WelcomePage>();
    case IDD_SETUP_TYPE_PAGE: return make<SetupTypePage>();
    case IDD_DESTINATION_PAGE: return make<DestinationPage>();
    case IDD_PROGRAM_FOLDER_PAGE: return make<ProgramFolderPage>();
    case IDD_INFORMATION_PAGE: return make<InformationPage>();
    case IDD_FINISH_PAGE: return make<FinishPage>();
    default: return nullptr;
    }
}

}  // namespace kv
