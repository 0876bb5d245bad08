#include "app/PasswordsFile.h"

#include "app/OwnerPassword.h"

PasswordsFile::PasswordsFile(rt::KeyedStation* station)
    : Definition("Passwords", "PAS", "Lockora\\!Password", kOwnerPassword),
      File(Definition, station) {
    Definition.addField("PAS:Primary_ID", Primary_ID);
    Definition.addField("PAS:Title", Title, "@s80");
    Definition.addField("PAS:Location", Location, "@s254");
    Definition.addField("PAS:UserName", UserName, "@s65");
    Definition.addField("PAS:Password", Password, "@s10");
    Definition.addField("PAS:PIN", PIN, "@s20");
    Definition.addField("PAS:SecurityCode", SecurityCode, "@s20");
    Definition.addField("PAS:DateLong", DateLong, "@d17");
    Definition.addField("PAS:DateShort", DateShort, "@D15B");
    Definition.addField("PAS:DateCreated", DateCreated, "@d17");
    Definition.addField("PAS:DateExpires", DateExpires, "@d17");
    Definition.addMemo("PAS:Notes", Notes, 1000);
    // Both keys begin with the unique entry number, so equal titles never clash.
    int primary =
        Definition.addKey("PAS:KeyPrimary", "PAS:KeyPrimary", {{Primary_ID, true}}, true, true);
    int title = Definition.addKey("PAS:KeyTitle", "PAS:KeyTitle",
                                  {{Primary_ID, true}, {Title, true}}, true);
    KeyPrimary = &Definition.keys()[primary];
    KeyTitle = &Definition.keys()[title];
    // The System table's master password keys the file this table lives in.
    Definition.setMasterKeyed(true);
    // A click on a header of the main list sorts by that column folded, in
    // either direction, the entry number breaking ties: each such order has
    // its index from the first click on, whatever the table's size.
    for (const char* column : {"PAS:TITLE", "PAS:LOCATION", "PAS:USERNAME", "PAS:PASSWORD"})
        for (const char* sign : {"+", "-"})
            Definition.addOrder(std::string(sign) + "UPPER(" + column + "),+PAS:PRIMARY_ID");
    // The expiry reminder after each login reads only the entries it counts.
    Definition.addOrder(kExpiryOrder);
}
