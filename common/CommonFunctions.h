#pragma once
// The toolbox of small text, file, MIME, XML, value-conversion, time, version,
// cookie, URL and stored-password operations that every subsystem reaches
// through the common-procedures container. Text is UTF-8 in std::string.
//
// Apart from the time-zone bias, the random-number generator and the
// cookie store, the operations keep no state; those that need none are
// static. They return empty texts, 0, false or Null instead of raising,
// except where a comment says otherwise.
#include "common/Variant.h"

#include <cstdint>
#include <optional>
#include <random>
#include <string>

class TCookieStore;

class TCommonFunctions {
public:
    // Reads the local time zone's standard offset and seeds the random numbers.
    TCommonFunctions();

    // ---- program and identity ------------------------------------------
    // The monotonic tick count in milliseconds as decimal text.
    static std::string GetTickCountString();

    // ---- MIME types and extensions --------------------------------------
    static std::string GetMimeTypeByFileName(const std::string& fileName);
    // An extension without dot for a MIME type; FileName after its first "."
    // (or the whole FileName) for a type without one of its own.
    static std::string GetExtensionByMimeType(const std::string& mimeType,
                                              const std::string& fileName);
    // The text after the first "/"; empty when there is none.
    static std::string GetMimeSubtype(const std::string& mimeType);
    // True for the extensions (without dot, any case) of files a web site serves.
    static bool IsWebFileExtension(const std::string& ext);

    // ---- files and names --------------------------------------------------
    // Size in bytes of a file; 0 when it is not found or is no regular file.
    static std::int64_t GetFileSize(const std::string& fileName);
    // CRC-32 of the whole file; 0 when it does not exist or cannot be read.
    static std::uint32_t GetFileCRC32(const std::string& fileName);
    // Replaces the file with Text split into lines (at CR LF, CR or LF; a NUL
    // ends the text), each written with CR LF after it. Written to a temporary
    // name and renamed into place; raises ECriticalTolvexException when the
    // file cannot be written.
    static void SaveStringToFile(const std::string& text, const std::string& fileName);
    // The same for a work file of page generation, rewritten for every page
    // and read only by the generation that wrote it: overwritten in place,
    // not synced to the disk.
    static void SaveWorkFile(const std::string& text, const std::string& fileName);
    // Text split into lines (at CR LF, CR or LF; a NUL ends the text), each
    // ended by CR LF; a line break at the very end opens no further line.
    static std::string WithCrLfLines(const std::string& text);
    // The file's text with every line ended by CR LF; empty when it does not exist.
    static std::string LoadStringFromFile(const std::string& fileName);
    // Opens a file or address with the desktop's handler ("xdg-open"), without
    // waiting; nothing happens when there is no handler.
    static void ShellOpen(const std::string& fileOrUrl);
    // The full name of a program found along PATH; empty when there is none.
    static std::string FindProgram(const std::string& name);
    // Deletes every file and, depth first, every subdirectory of Dir; Dir
    // stays. A file that cannot be deleted stays without error; a subdirectory
    // that cannot be removed raises ECriticalTolvexException. Symbolic links
    // are removed, never followed.
    static void ClearDirectory(const std::string& dir);
    // Splits at the last "." of the whole text; without one Name is the whole
    // text and Ext is empty.
    static void SplitFileName(const std::string& fileName, std::string& name, std::string& ext);
    // The last path component without its extension.
    static std::string ExtractFileNameWithoutExt(const std::string& path);
    // Every . " ' \ / ; ` : replaced by "_".
    static std::string SanitizeFileName(const std::string& text);
    // A folder of the software-update list made safe to join to the program
    // folder: never absolute and never leading outside of it.
    static std::string SanitizeRelativePath(const std::string& text);
    // The file name of a URL; "index.html" when the URL names none.
    static std::string GetFileNameFromUrl(const std::string& url);

    // ---- character sets ---------------------------------------------------
    // The font character-set number of a charset name (1 for unknown names).
    static int GetCharsetByName(const std::string& name);

    // ---- XML and HTML text ------------------------------------------------
    // XML-safe text: empty for a blank text; else & ' > < " escaped and the
    // control characters other than TAB, LF and CR removed.
    static std::string EncodeXmlText(const std::string& text);
    static std::string EncodeXmlValue(const std::string& text) { return EncodeXmlText(text); }
    // An HTML page showing Text as it stands: escaped, its lines kept and wrapped.
    static std::string PlainTextPage(const std::string& text);
    // Every non-ASCII character written as a decimal character reference.
    static std::string EncodeHighChars(const std::string& text);
    // The characters of decimal character references: every "&#" dropped, the
    // rest split at ";" and line breaks like web-form fields (quotes kept
    // together, each piece URL-decoded); each piece that is a positive decimal
    // number adds the UTF-16 code unit of its low 16 bits (surrogate pairs
    // combine). Other pieces are ignored. The result is UTF-8.
    static std::string DecodeCharRefs(const std::string& text);
    // True when Text is not empty and only holds A-Z, a-z, 0-9 and "-".
    static bool IsSimpleName(const std::string& text);
    static bool IsNameChar(char c);
    // Everything up to and including the last opening body tag and from the
    // first closing body tag on removed.
    static std::string ExtractHtmlBody(const std::string& html);
    // Removes "<%"..."%>" blocks, then "<?"..."?>" blocks.
    static std::string RemoveServerScripts(const std::string& text);
    // Removes every block from Start through the next Stop (or to the end).
    static std::string RemoveBlocks(const std::string& text, const std::string& start,
                                    const std::string& stop);
    // Wraps named entities between tags (other than the five of XML) into
    // xsl:text elements that disable output escaping.
    static void WrapNamedEntities(std::string& text);
    // Text as an XPath string literal that selects exactly Text: between
    // apostrophes, or double quotes when it holds an apostrophe, or for a
    // text holding both a concat() of such pieces.
    static std::string XPathStringLiteral(const std::string& text);
    // True when Text is well-formed XML; else false with the parser's reason
    // and the byte offset (from 0) of the error in Text.
    static bool CheckXml(const std::string& text, int& filePos, std::string& reason);

    // ---- wide and 8-bit text ----------------------------------------------
    // Both sides are UTF-8 here: WideToAnsi keeps the text, AnsiToWide turns
    // every control character other than TAB, LF and CR into a space.
    static std::string WideToAnsi(const std::string& wideText) { return wideText; }
    static std::string AnsiToWide(const std::string& text);

    // ---- field values -----------------------------------------------------
    static std::string GetFieldTypeName(TFieldType type);
    // The value to store into a field of the type from its text form;
    // std::nullopt when nothing is written into such a field.
    std::optional<TVariant> SetFieldFromString(TFieldType type, const std::string& text) const;
    // The value of the text for a query parameter of the type; Null for an empty text.
    TVariant StringToVariant(TFieldType type, const std::string& text) const;
    // The text form of a value; "" for Null.
    static std::string VariantToString(const TVariant& value);

    // ---- time -------------------------------------------------------------
    // Date-times are day numbers since 1899-12-30, the time of day the size
    // of the fraction (also before that day); the program knows the years
    // 1 to 9999: 0001-01-01 is -693593, 9999-12-31 23:59:59 is MaxDateTime.
    static constexpr double MinDateTime = -693593.0 - 86399.0 / 86400.0;
    static constexpr double MaxDateTime = 2958465.0 + 86399.0 / 86400.0;
    // True when Days is a date-time of those years.
    static bool IsDateTimeInRange(double days) { return days >= MinDateTime && days <= MaxDateTime; }
    // Days brought into those years: an earlier day becomes 0001-01-01
    // 00:00, a later one 9999-12-31 23:59:59, a NaN the zero date-time.
    static double ClampDateTime(double days);
    // Local standard-time offset in minutes: UTC = local time + Bias.
    int Bias() const { return bias_; }
    // Seconds since 1970-01-01 00:00 UTC as decimal text; "0" for no date.
    std::string DateTimeToUnixTime(double dateTime) const;
    // The local date-time of a Unix time text; 0 for "0", a text that is no
    // number, and a time outside the years 1 to 9999.
    double UnixTimeToDateTime(const std::string& text) const;

    // ---- versions ---------------------------------------------------------
    // 0 when equal, 1 when A is greater, -1 when A is smaller.
    static int CompareVersions(const std::string& a, const std::string& b);
    // The parts of a dotted text weighted 1000000, 1000, 1, 0.001, ...
    static double VersionValue(const std::string& version);

    // ---- other text -------------------------------------------------------
    static std::string FilterChars(const std::string& text, const std::string& charSet);
    static std::string TrimRightBlanks(const std::string& text);
    static bool IsValidEmail(const std::string& text);
    // A colour stored as blue, green, red written as six hex digits red, green, blue.
    static std::string ColorToHex(std::int32_t color);
    static std::int32_t HexToColor(const std::string& text);

    // ---- cookies and URLs -------------------------------------------------
    // The browser's cookie store; not owned. Without one the cookie functions
    // answer false.
    void SetCookieStore(TCookieStore* store) { cookieStore_ = store; }
    TCookieStore* GetCookieStore() const { return cookieStore_; }
    // Reads the cookie Name for Url. On failure tries again with Url changed
    // in place: "http://" prefixed, then "www." inserted, then "/" appended.
    bool GetCookie(std::string& url, const std::string& name, std::string& value) const;
    // Expires the cookie Name for Url.
    bool DeleteCookie(const std::string& url, const std::string& name) const;
    // RelativeUrl resolved against BaseUrl; RelativeUrl unchanged when BaseUrl
    // is no absolute URL.
    static std::string CombineUrl(const std::string& baseUrl, const std::string& relativeUrl);
    // A relative path of file names as it goes into a link: every byte but
    // letters, digits, "-", ".", "_", "~" and the "/" between the names as
    // "%" and two upper-case hexadecimal digits ("Über uns.html" ->
    // "%C3%9Cber%20uns.html").
    static std::string EncodeUrlPath(const std::string& path);

    // ---- stored passwords -------------------------------------------------
    // A different printable scrambled text each time; empty for an empty password.
    std::string ScramblePassword(const std::string& plain);
    // The password of a scrambled text; any other text unchanged.
    static std::string UnscramblePassword(const std::string& text);
    // Byte i of Text XOR-ed with byte (i mod key length) of Key.
    static std::string XorWithKey(const std::string& text, const std::string& key);

private:
    // Reads a number with "." as decimal separator (surrounding spaces
    // allowed); false when Text is not a finite number.
    static bool TryReadNumber(const std::string& text, double& value);
    // Reads a decimal integer (surrounding spaces allowed).
    static bool TryReadInteger(const std::string& text, std::int64_t& value);
    // A number truncated toward zero; 0 when Text is not a number.
    static std::int64_t ReadTruncatedInteger(const std::string& text);
    // A random integer from Low to High, both included.
    int RandomInt(int low, int high);

    int bias_ = 0;
    std::mt19937 random_;
    TCookieStore* cookieStore_ = nullptr;
};
