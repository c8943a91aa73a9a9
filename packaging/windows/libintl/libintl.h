/* The message-catalogue calls GLib makes, answered with the untranslated
 * text. The Windows build's GLib and Pango only ever show their messages to
 * a developer; the program's own translations go through its toolkit. */
#ifndef VANTREL_LIBINTL_H
#define VANTREL_LIBINTL_H
#ifdef __cplusplus
extern "C" {
#endif
char* gettext(const char* msgid);
char* dgettext(const char* domain, const char* msgid);
char* dcgettext(const char* domain, const char* msgid, int category);
char* ngettext(const char* msgid, const char* plural, unsigned long n);
char* dngettext(const char* domain, const char* msgid, const char* plural, unsigned long n);
char* dcngettext(const char* domain, const char* msgid, const char* plural, unsigned long n, int category);
char* textdomain(const char* domain);
char* bindtextdomain(const char* domain, const char* dirname);
char* bind_textdomain_codeset(const char* domain, const char* codeset);
#ifdef __cplusplus
}
#endif
#endif
