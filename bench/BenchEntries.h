#pragma once
// The data files the start-up, launch and master-key benchmarks time: a
// table opened or made in the working folder, and plain numbered entries
// added in large transactions.

#include <string>

#include "app/Dictionary.h"
#include "runtime/store/KeyedFile.h"
#include "runtime/store/KeyedTransaction.h"

inline int openOrCreate(rt::KeyedFile& file) {
    if (file.open() == 2 && file.create() == 0) return file.open();
    return 0;
}

inline void addEntries(int entries) {
    constexpr int kBatch = 5000;
    for (int id = 1; id <= entries;) {
        rt::beginTransaction({&PAS.File}, 10);
        for (int n = 0; n < kBatch && id <= entries; ++n, ++id) {
            PAS.File.clearBuffer();
            PAS.Primary_ID = id;
            PAS.Title = "Entry " + std::to_string(id);
            PAS.Location = "https://site" + std::to_string(id % 997) + ".example.org/login";
            PAS.UserName = "user" + std::to_string(id % 101);
            PAS.Password = "pw" + std::to_string(id);
            PAS.File.add();
        }
        rt::commitTransaction();
    }
}
