#define HLP000001	1 //Start
#define HLP000002	2 //ŠT—v
#define HLP000003	3 //Overview
#define HLP000004	4 //Pop
