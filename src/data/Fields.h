#pragma once
// The catalogue's field names as its table files hold them: a misspelt name is then a compile
// error, not "Field not found" when a window first opens. Field names are matched without
// regard to case. Everything else about a field is its row in FieldTable.cpp.
namespace data::fields {

// The tapes (Video.db); the lookup tables Kategori, Type, Instruktor and Optagetaf each hold
// one field named as the tape's field they list.
inline constexpr char TapeNr[] = "TapeNr";
inline constexpr char Titel[] = "Titel";
inline constexpr char Start[] = "Start";
inline constexpr char Slut[] = "Slut";
inline constexpr char Varighed[] = "Varighed";
inline constexpr char Type[] = "Type";
inline constexpr char Kopi[] = "Kopi";
inline constexpr char Laengde[] = "Laengde";
inline constexpr char Kategori[] = "Kategori";
inline constexpr char Udlaan[] = "Udlaan";
inline constexpr char Instruktor[] = "Instruktor";
inline constexpr char Optagetaf[] = "Optagetaf";
inline constexpr char OptagetDato[] = "OptagetDato";
inline constexpr char Fabrikat[] = "Fabrikat";
inline constexpr char Indhold[] = "Indhold";
inline constexpr char Placering[] = "Placering";
inline constexpr char EAN[] = "EAN";

// The cast (Medvirker.db) and the loans (Udlaan.db) spell the tape number so.
inline constexpr char LinkTapeNr[] = "Tapenr";
inline constexpr char Skuespiller[] = "Skuespiller";
inline constexpr char Rolle[] = "Rolle";
inline constexpr char Dato[] = "Dato";
inline constexpr char Navn[] = "Navn";
inline constexpr char Telefon[] = "Telefon";
inline constexpr char Returneret[] = "Returneret";
inline constexpr char Forfald[] = "Forfald";
inline constexpr char ReturDato[] = "ReturDato";

// The configuration record (Config.DB).
inline constexpr char H_Main[] = "H_Main";
inline constexpr char W_Main[] = "W_Main";
inline constexpr char Sprog[] = "Sprog";
inline constexpr char H_Over[] = "H_Over";
inline constexpr char W_Over[] = "W_Over";
inline constexpr char H_Reg[] = "H_Reg";
inline constexpr char W_Reg[] = "W_Reg";
inline constexpr char Laanetid[] = "Laanetid";
// 1: the overdue loans show when the program starts.
inline constexpr char VisOverskredne[] = "VisOverskredne";

} // namespace data::fields
