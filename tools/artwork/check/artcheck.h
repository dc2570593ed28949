#pragma once

#define IDI_KVSETUP 101
#define IDB_SIDE 102
#define IDA_COPY 131
