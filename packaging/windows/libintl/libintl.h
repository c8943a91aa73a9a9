/* The message-catalogue calls GLib makes, answered with the untranslated
 * text. The Windows build's GLib and Pango only ever show their messages to
 * a developer; the program's own translations go through its toolkit. */
#ifndef VANTREL_LIBINTL_H
#define VANTREL_LIBINTL_H
/* The compiler checks a translated format against its arguments as it would
 * the English one. */
#define VANTREL_INTL_FORMAT(n) __attribute__((__format_arg__(n)))
#ifdef __cplusplus
extern "C" {
#endif
char* gettext(const char* msgid) VANTREL_INTL_FORMAT(1);
char* dgettext(const char* domain, const char* msgid) VANTREL_INTL_FORMAT(2);
char* dcgettext(const char* domain, const char* msgid, int category) VANTREL_INTL_FORMAT(2);
char* ngettext(const char* msgid, const char* plural, unsigned long n) VANTREL_INTL_FORMAT(1) VANTREL_INTL_FORMAT(2);
char* dngettext(const char* domain, const char* msgid, const char* plural, unsigned long n) VANTREL_INTL_FORMAT(2)
    VANTREL_INTL_FORMAT(3);
char* dcngettext(const char* domain, const char* msgid, const char* plural, unsigned long n, int category)
    VANTREL_INTL_FORMAT(2) VANTREL_INTL_FORMAT(3);
char* textdomain(const char* domain);
char* bindtextdomain(const char* domain, const char* dirname);
char* bind_textdomain_codeset(const char* domain, const char* codeset);
#ifdef __cplusplus
}
#endif
#endif
