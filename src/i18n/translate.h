// The program's texts in the user's language. Every text a person reads is
// written in English in the code and passed through tr() (or marked with N_()
// where it sits in a table and is translated where it is shown). Who
// translates is the front end's choice: the desktop program hands the texts
// to the toolkit's catalogs, the command line to a MessageCatalog of its own
// and only when asked; until one is installed every text is its own English.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

/// Marks a text for the translators without translating it here: tables of
/// texts that are translated where they are shown.
#ifndef N_  // the toolkit's headers may bring the same marker
#define N_(text) text
#endif
/// The same with a context, for a table of words the catalog must keep apart
/// from the same English word elsewhere; shown with trc(context, text).
#ifndef NC_
#define NC_(context, text) text
#endif

namespace vantrel {

/// What a front end installs to translate. Each returns a text that stays
/// valid for the rest of the run, or the English it was given.
struct Translator {
    const char* (*text)(const char* context, const char* english) = nullptr;
    const char* (*plural)(const char* context, const char* singular, const char* plural, unsigned long n) = nullptr;
};

/// Installs the translator for the rest of the run (a default-made one turns
/// translation off again). Not thread-safe: done at start, before any text is
/// asked for.
void setTranslator(const Translator& translator);
/// The one in use, to hand to code linked separately (the drawing module).
const Translator& currentTranslator();

/// The text in the user's language.
const char* tr(const char* english);
/// The same for a text whose English is shared with other meanings.
const char* trc(const char* context, const char* english);
/// The form that fits `n` of the two English forms, in the user's language.
const char* trn(const char* singular, const char* plural, unsigned long n);

/// Puts the arguments into a translated pattern: "%s" takes the next one,
/// "%1$s" … "%9$s" a given one (so a translation may reorder them), "%%" is
/// a percent sign. Numbers are formatted by the caller, so every language
/// writes them alike.
std::string formatText(std::string_view pattern, std::initializer_list<std::string_view> arguments);

}  // namespace vantrel
