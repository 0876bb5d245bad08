#pragma once
// Transactions over several keyed files of one station: begin (waiting up to
// a timeout for other stations' writes), commit, roll back. Until the commit
// no other station sees the changes; a refused start answers 48, a start
// while one runs 56. Free functions on the calling thread's station unless
// one is given; every call sets the last error.

#include <vector>

#include "runtime/store/KeyedStation.h"

namespace rt {

class KeyedFile;

// Over the given open files, which must belong to one station.
int beginTransaction(const std::vector<KeyedFile*>& files, int timeoutSeconds);
// Over the files whose logout property is set (KeyedFile::setLogout).
int beginTransaction(int timeoutSeconds, KeyedStation& station = KeyedStation::current());
// Both end the transaction and clear the files' logout property.
int commitTransaction(KeyedStation& station = KeyedStation::current());
int rollbackTransaction(KeyedStation& station = KeyedStation::current());

}  // namespace rt
