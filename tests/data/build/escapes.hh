#define HLP000010	-5 //ポップ1
#define HLP000011	11 //
#define HLP000012	12 //注意
#define HLP000001	1 //日本語
#define HLP000002	2 //Second
