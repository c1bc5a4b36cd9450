#include "tests/data_store/Test_tree.h"

namespace CDS {
CDS_LOOKUP_RECORD_CONSTRUCTOR(test_part)
CDS_LOOKUP_RECORD_CONSTRUCTOR(test_record)
}

Test_root::Test_root(CDS::Head& head, test_record* body)
    : Lookup_described(head, body), body_(body)
{
    describe_self("test_root");
    describe_record(record, "record", nullptr);
    describe_value(empty, "empty", "uchar", "none");
    set_name("test");
}
