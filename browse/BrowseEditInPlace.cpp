// BrowseClass: requests run in the list itself when there is no update
// procedure.
#include "browse/BrowseClass.h"
#include "browse/BrowseEIPManager.h"

void BrowseClass::CheckEIP() {
    if (!EIP) {
        ownedEIP_ = std::make_unique<BrowseEIPManager>();
        EIP = ownedEIP_.get();
        FreeEIP = true;
    }
    EIP->Arrow = &ArrowAction;
    EIP->Enter = &EnterAction;
    EIP->FocusLoss = &FocusLossAction;
    EIP->Tab = &TabAction;
    EIP->DeleteKeyAction = DeleteAction;
    EIP->BC = this;
    EIP->EQ = EditList.get();
    EIP->Fields = Fields.get();
    EIP->Errors = Window->Errors;
    EIP->ListControl = ILC->GetControl();
    EIP->VCRRequest = Window->VCRRequest;
}

std::uint8_t BrowseClass::AskRecord(std::uint8_t request) {
    CheckEIP();
    return EIP->Run(request);
}
