#include "data_store/Lookup_data_store_body.h"
#include "platform/data/CDS_Head.h"

namespace CDS {

Lookup_data_store_body::Lookup_data_store_body(Head& head, data_store_body* body)
    : Lookup_described<Lookup_root>(head, body), record_(body)
{
    head.set_lookup(this);
    describe_self("data_store_body");
    set_comment("");
    data_store_body_FIELDS(CDS_DESCRIBE)
    set_name("data_store");
}

}
