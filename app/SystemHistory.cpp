#include "app/SystemHistory.h"

#include "app/SystemFile.h"

SystemHistory::SystemHistory()
    : Live{SYS.System_ID, SYS.CompanyName, SYS.Address,        SYS.City,
           SYS.State,     SYS.Zip,         SYS.Phone,          SYS.Fax,
           SYS.WebSite,   SYS.Email,       SYS.MasterPassword, SYS.FileLocation},
      Saved{System_ID, CompanyName, Address, City,  State,          Zip,
            Phone,     Fax,         WebSite, Email, MasterPassword, FileLocation} {}
