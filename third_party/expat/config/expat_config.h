/* The settings the bundled expat is built with (its configure step, written
   out once for the targets this copy serves: Windows x86-64, and Linux when
   the bundled copy is asked for). Little-endian targets only. */
#ifndef EXPAT_CONFIG_H
#define EXPAT_CONFIG_H 1

#define BYTEORDER 1234
#define HAVE_STDINT_H 1
#define HAVE_STDLIB_H 1
#define HAVE_STRING_H 1
#define HAVE_INTTYPES_H 1
#if ! defined(_WIN32)
/* glibc 2.25 and later; Windows draws its entropy from rand_s(). */
#  define HAVE_GETRANDOM 1
#  define HAVE_UNISTD_H 1
#  define HAVE_FCNTL_H 1
#endif

#define PACKAGE "expat"
#define PACKAGE_NAME "expat"
#define PACKAGE_VERSION "2.5.0"

/* The same features Debian's libexpat1 is built with. */
#define XML_CONTEXT_BYTES 1024
#define XML_DTD 1
#define XML_NS 1

#endif
