#include "platform/iso/VT_Lifecycle_watch.h"

namespace VT {

Lifecycle_watch* Lifecycle_watch::current_ = nullptr;

Lifecycle_watch* Lifecycle_watch::install(Lifecycle_watch* watch)
{
    Lifecycle_watch* old = current_;
    current_ = watch;
    return old;
}

}
