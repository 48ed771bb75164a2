#define HLP000001	10 //Intro
#define HLP000002	20 //Note
