#include "browse/EditQueue.h"

#include "browse/EditClass.h"

EditQueue::~EditQueue() {
    for (EditQueueEntry& entry : Entries)
        if (entry.FreeUp) delete entry.Control;
}
