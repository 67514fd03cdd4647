#pragma once
// The editing component's published message numbers that this code base
// sends, and the types of its direct-call interface.

#include <cstdint>

using sptr_t = intptr_t;
using uptr_t = uintptr_t;
// The component's direct-call function (calling convention of its C interface).
using SciFnDirect = sptr_t (*)(sptr_t ptr, unsigned int message, uptr_t wParam, sptr_t lParam);

constexpr unsigned SCI_ADDTEXT = 2001;
constexpr unsigned SCI_INSERTTEXT = 2003;
constexpr unsigned SCI_CLEARALL = 2004;
constexpr unsigned SCI_GETLENGTH = 2006;
constexpr unsigned SCI_GETCHARAT = 2007;
constexpr unsigned SCI_GETCURRENTPOS = 2008;
constexpr unsigned SCI_GETANCHOR = 2009;
constexpr unsigned SCI_GOTOPOS = 2025;
constexpr unsigned SCI_GETCURLINE = 2027;
constexpr unsigned SCI_SETCODEPAGE = 2037;
constexpr unsigned SCI_STYLECLEARALL = 2050;
constexpr unsigned SCI_STYLESETFORE = 2051;
constexpr unsigned SCI_STYLESETBACK = 2052;
constexpr unsigned SCI_STYLESETBOLD = 2053;
constexpr unsigned SCI_STYLESETITALIC = 2054;
constexpr unsigned SCI_STYLESETSIZE = 2055;
constexpr unsigned SCI_STYLESETFONT = 2056;
constexpr unsigned SCI_SETWORDCHARS = 2077;
constexpr unsigned SCI_AUTOCSHOW = 2100;
constexpr unsigned SCI_AUTOCSTOPS = 2105;
constexpr unsigned SCI_AUTOCSELECT = 2108;
constexpr unsigned SCI_AUTOCSETFILLUPS = 2112;
constexpr unsigned SCI_USERLISTSHOW = 2117;
constexpr unsigned SCI_GETLINEENDPOSITION = 2136;
constexpr unsigned SCI_GETCODEPAGE = 2137;
constexpr unsigned SCI_GETSELECTIONSTART = 2143;
constexpr unsigned SCI_GETSELECTIONEND = 2145;
constexpr unsigned SCI_GETLINE = 2153;
constexpr unsigned SCI_GETLINECOUNT = 2154;
constexpr unsigned SCI_SETSEL = 2160;
constexpr unsigned SCI_GETSELTEXT = 2161;
constexpr unsigned SCI_LINEFROMPOSITION = 2166;
constexpr unsigned SCI_POSITIONFROMLINE = 2167;
constexpr unsigned SCI_REPLACESEL = 2170;
constexpr unsigned SCI_SETTEXT = 2181;
constexpr unsigned SCI_GETTEXT = 2182;
constexpr unsigned SCI_GETTEXTLENGTH = 2183;
constexpr unsigned SCI_GETDIRECTFUNCTION = 2184;
constexpr unsigned SCI_GETDIRECTPOINTER = 2185;
constexpr unsigned SCI_REPLACETARGET = 2194;
constexpr unsigned SCI_REPLACETARGETRE = 2195;
constexpr unsigned SCI_SEARCHINTARGET = 2197;
constexpr unsigned SCI_CALLTIPSHOW = 2200;
constexpr unsigned SCI_TEXTWIDTH = 2276;
constexpr unsigned SCI_APPENDTEXT = 2282;
constexpr unsigned SCI_LINELENGTH = 2350;
constexpr unsigned SCI_SEARCHNEXT = 2367;
constexpr unsigned SCI_SEARCHPREV = 2368;
constexpr unsigned SCI_COPYTEXT = 2420;
constexpr unsigned SCI_SETWHITESPACECHARS = 2443;
constexpr unsigned SCI_STYLEGETFORE = 2481;
constexpr unsigned SCI_STYLEGETBACK = 2482;
constexpr unsigned SCI_STYLEGETBOLD = 2483;
constexpr unsigned SCI_STYLEGETITALIC = 2484;
constexpr unsigned SCI_STYLEGETSIZE = 2485;
constexpr unsigned SCI_STYLEGETFONT = 2486;
constexpr unsigned SCI_SETLEXER = 4001;
constexpr unsigned SCI_GETLEXER = 4002;
constexpr unsigned SCI_COLOURISE = 4003;
constexpr unsigned SCI_SETPROPERTY = 4004;
constexpr unsigned SCI_SETKEYWORDS = 4005;
constexpr unsigned SCI_SETLEXERLANGUAGE = 4006;
constexpr unsigned SCI_LOADLEXERLIBRARY = 4007;
constexpr unsigned SCI_GETPROPERTY = 4008;
constexpr unsigned SCI_GETPROPERTYEXPANDED = 4009;
constexpr unsigned SCI_GETPROPERTYINT = 4010;

constexpr int SC_CP_UTF8 = 65001;
constexpr int STYLE_DEFAULT = 32;
constexpr int SCLEX_VBSCRIPT = 28;
