/* espeak-ng as the browser build compiles it: synchronous synthesis only
   (no threads), no audio output of its own, no MBROLA, no speechPlayer. */
#define PACKAGE_VERSION "1.51"
#define PATH_ESPEAK_DATA "/espeak-ng-data"
#define HAVE_STDINT_H 1
#define HAVE_INTTYPES_H 1
#define HAVE_UNISTD_H 1
#define HAVE_ENDIAN_H 1
#define HAVE_MKSTEMP 1
