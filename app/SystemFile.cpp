#include "app/SystemFile.h"

#include "app/OwnerPassword.h"

SystemFile::SystemFile()
    : Definition("System", "SYS", "Lockora\\!System", kOwnerPassword), File(Definition) {
    Definition.addField("SYS:System_ID", System_ID);
    Definition.addField("SYS:CompanyName", CompanyName, "@s35");
    Definition.addField("SYS:Address", Address, "@s50");
    Definition.addField("SYS:City", City, "@s20");
    Definition.addField("SYS:State", State, "@s2");
    Definition.addField("SYS:Zip", Zip, "@s5");
    Definition.addField("SYS:Phone", Phone, "@s13");
    Definition.addField("SYS:Fax", Fax, "@s13");
    Definition.addField("SYS:WebSite", WebSite, "@s65");
    Definition.addField("SYS:Email", Email, "@s35");
    int master = Definition.addField("SYS:MasterPassword", MasterPassword, "@s20");
    Definition.addField("SYS:FileLocation", FileLocation, "@s254");
    int key =
        Definition.addKey("SYS:System_IDKey", "Sys:System_IDKey", {{System_ID, true}}, true, true);
    System_IDKey = &Definition.keys()[key];
    // Once set, the master password keys the whole data file, not the
    // owner password written in the program.
    Definition.setMasterKeyField(master);
}
