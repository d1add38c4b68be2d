-- AllReferences: the typed value lists that fill the editors' combo boxes.
-- One row per list entry: RefType (the list), LangCode (upper case; a list
-- is read for one language, "EN" when none is asked for), RefCode (what is
-- stored), RefValue (what is shown) and OrderNum. A list is shown in the
-- order OrderNum, then RefValue.
--
--  1 document class     5 document state    9 robots         13 cities
--  2 document rights    6 distribution     10 dialect        14 states and provinces
--  3 cache control      7 document type    11 charset        15 eBay site currency
--  4 rating             8 classification   12 month names
--
-- Lists 1 to 11 are the page meta-tag choices (English captions, translated
-- on screen; the code is the meta value written into pages). List 11 holds
-- only UTF-8: pages are always written in UTF-8, so any other charset would
-- declare an encoding that the page's bytes do not have. List 12 holds the
-- month names by month number in several languages, list 13 hotel cities by
-- their IATA city code, list 14 the US states and Canadian provinces and
-- territories by their postal abbreviation, and list 15 (language "XXX") the
-- currency of each eBay site, by site id.

CREATE TABLE AllReferences (
  RefType  INTEGER NOT NULL,
  LangCode TEXT COLLATE NOCASE NOT NULL,
  RefCode  TEXT COLLATE NOCASE NOT NULL,
  RefValue TEXT COLLATE NOCASE,
  OrderNum INTEGER DEFAULT 0,
  PRIMARY KEY (RefType, LangCode, RefCode)
);

-- 1: document class
INSERT INTO AllReferences (RefType, LangCode, RefCode, RefValue, OrderNum) VALUES
  (1, 'EN', 'Completed', 'Completed', 1),
  (1, 'EN', 'Living Document', 'Living Document', 2),
  (1, 'EN', 'Published', 'Published', 3);

-- 2: document rights
INSERT INTO AllReferences (RefType, LangCode, RefCode, RefValue, OrderNum) VALUES
  (2, 'EN', 'Copyrighted Work', 'Copyrighted Work', 1),
  (2, 'EN', 'Public Domain', 'Public Domain', 2),
  (2, 'EN', 'Public', 'Public', 3),
  (2, 'EN', 'Private', 'Private', 4),
  (2, 'EN', 'Restricted', 'Restricted', 5);

-- 3: cache control
INSERT INTO AllReferences (RefType, LangCode, RefCode, RefValue, OrderNum) VALUES
  (3, 'EN', 'public', 'Public', 1),
  (3, 'EN', 'private', 'Private', 2),
  (3, 'EN', 'no-cache', 'No cache', 3),
  (3, 'EN', 'no-store', 'No store', 4),
  (3, 'EN', 'must-revalidate', 'Must revalidate', 5),
  (3, 'EN', 'proxy-revalidate', 'Proxy revalidate', 6),
  (3, 'EN', 'no-transform', 'No transform', 7);

-- 4: rating
INSERT INTO AllReferences (RefType, LangCode, RefCode, RefValue, OrderNum) VALUES
  (4, 'EN', 'General', 'General', 1),
  (4, 'EN', '14 Years', '14 Years', 2),
  (4, 'EN', 'Mature', 'Mature', 3),
  (4, 'EN', 'Restricted', 'Restricted', 4),
  (4, 'EN', 'Safe for Kids', 'Safe for Kids', 5);

-- 5: document state
INSERT INTO AllReferences (RefType, LangCode, RefCode, RefValue, OrderNum) VALUES
  (5, 'EN', 'Static', 'Static', 1),
  (5, 'EN', 'Dynamic', 'Dynamic', 2);

-- 6: distribution
INSERT INTO AllReferences (RefType, LangCode, RefCode, RefValue, OrderNum) VALUES
  (6, 'EN', 'Global', 'Global', 1),
  (6, 'EN', 'Local', 'Local', 2),
  (6, 'EN', 'IU', 'Internal Use', 3);

-- 7: document type
INSERT INTO AllReferences (RefType, LangCode, RefCode, RefValue, OrderNum) VALUES
  (7, 'EN', 'Public', 'Public', 1),
  (7, 'EN', 'Private', 'Private', 2);

-- 8: classification
INSERT INTO AllReferences (RefType, LangCode, RefCode, RefValue, OrderNum) VALUES
  (8, 'EN', 'Arts', 'Arts', 0),
  (8, 'EN', 'Business', 'Business', 0),
  (8, 'EN', 'Computers', 'Computers', 0),
  (8, 'EN', 'Education', 'Education', 0),
  (8, 'EN', 'Entertainment', 'Entertainment', 0),
  (8, 'EN', 'Finance', 'Finance', 0),
  (8, 'EN', 'Government', 'Government', 0),
  (8, 'EN', 'Health', 'Health', 0),
  (8, 'EN', 'Internet Services', 'Internet Services', 0),
  (8, 'EN', 'News', 'News', 0),
  (8, 'EN', 'Recreation', 'Recreation', 0),
  (8, 'EN', 'Reference', 'Reference', 0),
  (8, 'EN', 'Science', 'Science', 0),
  (8, 'EN', 'Shopping', 'Shopping', 0),
  (8, 'EN', 'Society', 'Society', 0),
  (8, 'EN', 'Sports', 'Sports', 0),
  (8, 'EN', 'Travel', 'Travel', 0);

-- 9: robots
INSERT INTO AllReferences (RefType, LangCode, RefCode, RefValue, OrderNum) VALUES
  (9, 'EN', 'index,follow', 'Index, follow', 1),
  (9, 'EN', 'index,nofollow', 'Index, no follow', 2),
  (9, 'EN', 'noindex,follow', 'No index, follow', 3),
  (9, 'EN', 'noindex,nofollow', 'No index, no follow', 4);

-- 10: dialect
INSERT INTO AllReferences (RefType, LangCode, RefCode, RefValue, OrderNum) VALUES
  (10, 'EN', 'en-US', 'English (United States)', 0),
  (10, 'EN', 'en-GB', 'English (United Kingdom)', 0),
  (10, 'EN', 'en-AU', 'English (Australia)', 0),
  (10, 'EN', 'en-CA', 'English (Canada)', 0),
  (10, 'EN', 'en-IE', 'English (Ireland)', 0),
  (10, 'EN', 'en-NZ', 'English (New Zealand)', 0),
  (10, 'EN', 'en-ZA', 'English (South Africa)', 0),
  (10, 'EN', 'de-DE', 'German (Germany)', 0),
  (10, 'EN', 'de-AT', 'German (Austria)', 0),
  (10, 'EN', 'de-CH', 'German (Switzerland)', 0),
  (10, 'EN', 'fr-FR', 'French (France)', 0),
  (10, 'EN', 'fr-BE', 'French (Belgium)', 0),
  (10, 'EN', 'fr-CA', 'French (Canada)', 0),
  (10, 'EN', 'fr-CH', 'French (Switzerland)', 0),
  (10, 'EN', 'es-ES', 'Spanish (Spain)', 0),
  (10, 'EN', 'es-MX', 'Spanish (Mexico)', 0),
  (10, 'EN', 'es-AR', 'Spanish (Argentina)', 0),
  (10, 'EN', 'es-US', 'Spanish (United States)', 0),
  (10, 'EN', 'it-IT', 'Italian (Italy)', 0),
  (10, 'EN', 'it-CH', 'Italian (Switzerland)', 0),
  (10, 'EN', 'nl-NL', 'Dutch (Netherlands)', 0),
  (10, 'EN', 'nl-BE', 'Dutch (Belgium)', 0),
  (10, 'EN', 'pt-PT', 'Portuguese (Portugal)', 0),
  (10, 'EN', 'pt-BR', 'Portuguese (Brazil)', 0),
  (10, 'EN', 'sv-SE', 'Swedish (Sweden)', 0),
  (10, 'EN', 'sv-FI', 'Swedish (Finland)', 0),
  (10, 'EN', 'zh-CN', 'Chinese (China)', 0),
  (10, 'EN', 'zh-TW', 'Chinese (Taiwan)', 0),
  (10, 'EN', 'zh-HK', 'Chinese (Hong Kong)', 0),
  (10, 'EN', 'ar-SA', 'Arabic (Saudi Arabia)', 0),
  (10, 'EN', 'ar-EG', 'Arabic (Egypt)', 0);

-- 11: charset
INSERT INTO AllReferences (RefType, LangCode, RefCode, RefValue, OrderNum) VALUES
  (11, 'EN', 'utf-8', 'Unicode (UTF-8)', 1);

-- 12: month names (EN)
INSERT INTO AllReferences (RefType, LangCode, RefCode, RefValue, OrderNum) VALUES
  (12, 'EN', '1', 'January', 1),
  (12, 'EN', '2', 'February', 2),
  (12, 'EN', '3', 'March', 3),
  (12, 'EN', '4', 'April', 4),
  (12, 'EN', '5', 'May', 5),
  (12, 'EN', '6', 'June', 6),
  (12, 'EN', '7', 'July', 7),
  (12, 'EN', '8', 'August', 8),
  (12, 'EN', '9', 'September', 9),
  (12, 'EN', '10', 'October', 10),
  (12, 'EN', '11', 'November', 11),
  (12, 'EN', '12', 'December', 12);

-- 12: month names (DE)
INSERT INTO AllReferences (RefType, LangCode, RefCode, RefValue, OrderNum) VALUES
  (12, 'DE', '1', 'Januar', 1),
  (12, 'DE', '2', 'Februar', 2),
  (12, 'DE', '3', 'März', 3),
  (12, 'DE', '4', 'April', 4),
  (12, 'DE', '5', 'Mai', 5),
  (12, 'DE', '6', 'Juni', 6),
  (12, 'DE', '7', 'Juli', 7),
  (12, 'DE', '8', 'August', 8),
  (12, 'DE', '9', 'September', 9),
  (12, 'DE', '10', 'Oktober', 10),
  (12, 'DE', '11', 'November', 11),
  (12, 'DE', '12', 'Dezember', 12);

-- 12: month names (FR)
INSERT INTO AllReferences (RefType, LangCode, RefCode, RefValue, OrderNum) VALUES
  (12, 'FR', '1', 'Janvier', 1),
  (12, 'FR', '2', 'Février', 2),
  (12, 'FR', '3', 'Mars', 3),
  (12, 'FR', '4', 'Avril', 4),
  (12, 'FR', '5', 'Mai', 5),
  (12, 'FR', '6', 'Juin', 6),
  (12, 'FR', '7', 'Juillet', 7),
  (12, 'FR', '8', 'Août', 8),
  (12, 'FR', '9', 'Septembre', 9),
  (12, 'FR', '10', 'Octobre', 10),
  (12, 'FR', '11', 'Novembre', 11),
  (12, 'FR', '12', 'Décembre', 12);

-- 12: month names (ES)
INSERT INTO AllReferences (RefType, LangCode, RefCode, RefValue, OrderNum) VALUES
  (12, 'ES', '1', 'Enero', 1),
  (12, 'ES', '2', 'Febrero', 2),
  (12, 'ES', '3', 'Marzo', 3),
  (12, 'ES', '4', 'Abril', 4),
  (12, 'ES', '5', 'Mayo', 5),
  (12, 'ES', '6', 'Junio', 6),
  (12, 'ES', '7', 'Julio', 7),
  (12, 'ES', '8', 'Agosto', 8),
  (12, 'ES', '9', 'Septiembre', 9),
  (12, 'ES', '10', 'Octubre', 10),
  (12, 'ES', '11', 'Noviembre', 11),
  (12, 'ES', '12', 'Diciembre', 12);

-- 12: month names (IT)
INSERT INTO AllReferences (RefType, LangCode, RefCode, RefValue, OrderNum) VALUES
  (12, 'IT', '1', 'Gennaio', 1),
  (12, 'IT', '2', 'Febbraio', 2),
  (12, 'IT', '3', 'Marzo', 3),
  (12, 'IT', '4', 'Aprile', 4),
  (12, 'IT', '5', 'Maggio', 5),
  (12, 'IT', '6', 'Giugno', 6),
  (12, 'IT', '7', 'Luglio', 7),
  (12, 'IT', '8', 'Agosto', 8),
  (12, 'IT', '9', 'Settembre', 9),
  (12, 'IT', '10', 'Ottobre', 10),
  (12, 'IT', '11', 'Novembre', 11),
  (12, 'IT', '12', 'Dicembre', 12);

-- 12: month names (NL)
INSERT INTO AllReferences (RefType, LangCode, RefCode, RefValue, OrderNum) VALUES
  (12, 'NL', '1', 'Januari', 1),
  (12, 'NL', '2', 'Februari', 2),
  (12, 'NL', '3', 'Maart', 3),
  (12, 'NL', '4', 'April', 4),
  (12, 'NL', '5', 'Mei', 5),
  (12, 'NL', '6', 'Juni', 6),
  (12, 'NL', '7', 'Juli', 7),
  (12, 'NL', '8', 'Augustus', 8),
  (12, 'NL', '9', 'September', 9),
  (12, 'NL', '10', 'Oktober', 10),
  (12, 'NL', '11', 'November', 11),
  (12, 'NL', '12', 'December', 12);

-- 12: month names (PT)
INSERT INTO AllReferences (RefType, LangCode, RefCode, RefValue, OrderNum) VALUES
  (12, 'PT', '1', 'Janeiro', 1),
  (12, 'PT', '2', 'Fevereiro', 2),
  (12, 'PT', '3', 'Março', 3),
  (12, 'PT', '4', 'Abril', 4),
  (12, 'PT', '5', 'Maio', 5),
  (12, 'PT', '6', 'Junho', 6),
  (12, 'PT', '7', 'Julho', 7),
  (12, 'PT', '8', 'Agosto', 8),
  (12, 'PT', '9', 'Setembro', 9),
  (12, 'PT', '10', 'Outubro', 10),
  (12, 'PT', '11', 'Novembro', 11),
  (12, 'PT', '12', 'Dezembro', 12);

-- 12: month names (SV)
INSERT INTO AllReferences (RefType, LangCode, RefCode, RefValue, OrderNum) VALUES
  (12, 'SV', '1', 'Januari', 1),
  (12, 'SV', '2', 'Februari', 2),
  (12, 'SV', '3', 'Mars', 3),
  (12, 'SV', '4', 'April', 4),
  (12, 'SV', '5', 'Maj', 5),
  (12, 'SV', '6', 'Juni', 6),
  (12, 'SV', '7', 'Juli', 7),
  (12, 'SV', '8', 'Augusti', 8),
  (12, 'SV', '9', 'September', 9),
  (12, 'SV', '10', 'Oktober', 10),
  (12, 'SV', '11', 'November', 11),
  (12, 'SV', '12', 'December', 12);

-- 12: month names (DA)
INSERT INTO AllReferences (RefType, LangCode, RefCode, RefValue, OrderNum) VALUES
  (12, 'DA', '1', 'Januar', 1),
  (12, 'DA', '2', 'Februar', 2),
  (12, 'DA', '3', 'Marts', 3),
  (12, 'DA', '4', 'April', 4),
  (12, 'DA', '5', 'Maj', 5),
  (12, 'DA', '6', 'Juni', 6),
  (12, 'DA', '7', 'Juli', 7),
  (12, 'DA', '8', 'August', 8),
  (12, 'DA', '9', 'September', 9),
  (12, 'DA', '10', 'Oktober', 10),
  (12, 'DA', '11', 'November', 11),
  (12, 'DA', '12', 'December', 12);

-- 12: month names (FI)
INSERT INTO AllReferences (RefType, LangCode, RefCode, RefValue, OrderNum) VALUES
  (12, 'FI', '1', 'Tammikuu', 1),
  (12, 'FI', '2', 'Helmikuu', 2),
  (12, 'FI', '3', 'Maaliskuu', 3),
  (12, 'FI', '4', 'Huhtikuu', 4),
  (12, 'FI', '5', 'Toukokuu', 5),
  (12, 'FI', '6', 'Kesäkuu', 6),
  (12, 'FI', '7', 'Heinäkuu', 7),
  (12, 'FI', '8', 'Elokuu', 8),
  (12, 'FI', '9', 'Syyskuu', 9),
  (12, 'FI', '10', 'Lokakuu', 10),
  (12, 'FI', '11', 'Marraskuu', 11),
  (12, 'FI', '12', 'Joulukuu', 12);

-- 12: month names (PL)
INSERT INTO AllReferences (RefType, LangCode, RefCode, RefValue, OrderNum) VALUES
  (12, 'PL', '1', 'Styczeń', 1),
  (12, 'PL', '2', 'Luty', 2),
  (12, 'PL', '3', 'Marzec', 3),
  (12, 'PL', '4', 'Kwiecień', 4),
  (12, 'PL', '5', 'Maj', 5),
  (12, 'PL', '6', 'Czerwiec', 6),
  (12, 'PL', '7', 'Lipiec', 7),
  (12, 'PL', '8', 'Sierpień', 8),
  (12, 'PL', '9', 'Wrzesień', 9),
  (12, 'PL', '10', 'Październik', 10),
  (12, 'PL', '11', 'Listopad', 11),
  (12, 'PL', '12', 'Grudzień', 12);

-- 12: month names (CS)
INSERT INTO AllReferences (RefType, LangCode, RefCode, RefValue, OrderNum) VALUES
  (12, 'CS', '1', 'Leden', 1),
  (12, 'CS', '2', 'Únor', 2),
  (12, 'CS', '3', 'Březen', 3),
  (12, 'CS', '4', 'Duben', 4),
  (12, 'CS', '5', 'Květen', 5),
  (12, 'CS', '6', 'Červen', 6),
  (12, 'CS', '7', 'Červenec', 7),
  (12, 'CS', '8', 'Srpen', 8),
  (12, 'CS', '9', 'Září', 9),
  (12, 'CS', '10', 'Říjen', 10),
  (12, 'CS', '11', 'Listopad', 11),
  (12, 'CS', '12', 'Prosinec', 12);

-- 12: month names (RU)
INSERT INTO AllReferences (RefType, LangCode, RefCode, RefValue, OrderNum) VALUES
  (12, 'RU', '1', 'Январь', 1),
  (12, 'RU', '2', 'Февраль', 2),
  (12, 'RU', '3', 'Март', 3),
  (12, 'RU', '4', 'Апрель', 4),
  (12, 'RU', '5', 'Май', 5),
  (12, 'RU', '6', 'Июнь', 6),
  (12, 'RU', '7', 'Июль', 7),
  (12, 'RU', '8', 'Август', 8),
  (12, 'RU', '9', 'Сентябрь', 9),
  (12, 'RU', '10', 'Октябрь', 10),
  (12, 'RU', '11', 'Ноябрь', 11),
  (12, 'RU', '12', 'Декабрь', 12);

-- 13: cities
INSERT INTO AllReferences (RefType, LangCode, RefCode, RefValue, OrderNum) VALUES
  (13, 'EN', 'AMS', 'Amsterdam', 0),
  (13, 'EN', 'ATH', 'Athens', 0),
  (13, 'EN', 'BKK', 'Bangkok', 0),
  (13, 'EN', 'BCN', 'Barcelona', 0),
  (13, 'EN', 'BJS', 'Beijing', 0),
  (13, 'EN', 'BER', 'Berlin', 0),
  (13, 'EN', 'BOS', 'Boston', 0),
  (13, 'EN', 'BRU', 'Brussels', 0),
  (13, 'EN', 'BUD', 'Budapest', 0),
  (13, 'EN', 'BUE', 'Buenos Aires', 0),
  (13, 'EN', 'CAI', 'Cairo', 0),
  (13, 'EN', 'CUN', 'Cancun', 0),
  (13, 'EN', 'CPT', 'Cape Town', 0),
  (13, 'EN', 'CHI', 'Chicago', 0),
  (13, 'EN', 'CPH', 'Copenhagen', 0),
  (13, 'EN', 'DEL', 'Delhi', 0),
  (13, 'EN', 'DXB', 'Dubai', 0),
  (13, 'EN', 'DUB', 'Dublin', 0),
  (13, 'EN', 'EDI', 'Edinburgh', 0),
  (13, 'EN', 'FLR', 'Florence', 0),
  (13, 'EN', 'GVA', 'Geneva', 0),
  (13, 'EN', 'HEL', 'Helsinki', 0),
  (13, 'EN', 'HKG', 'Hong Kong', 0),
  (13, 'EN', 'IST', 'Istanbul', 0),
  (13, 'EN', 'KRK', 'Krakow', 0),
  (13, 'EN', 'LAS', 'Las Vegas', 0),
  (13, 'EN', 'LIS', 'Lisbon', 0),
  (13, 'EN', 'LON', 'London', 0),
  (13, 'EN', 'LAX', 'Los Angeles', 0),
  (13, 'EN', 'MAD', 'Madrid', 0),
  (13, 'EN', 'MEL', 'Melbourne', 0),
  (13, 'EN', 'MEX', 'Mexico City', 0),
  (13, 'EN', 'MIA', 'Miami', 0),
  (13, 'EN', 'MIL', 'Milan', 0),
  (13, 'EN', 'YMQ', 'Montreal', 0),
  (13, 'EN', 'MOW', 'Moscow', 0),
  (13, 'EN', 'MUC', 'Munich', 0),
  (13, 'EN', 'BOM', 'Mumbai', 0),
  (13, 'EN', 'NYC', 'New York', 0),
  (13, 'EN', 'NCE', 'Nice', 0),
  (13, 'EN', 'OSL', 'Oslo', 0),
  (13, 'EN', 'PAR', 'Paris', 0),
  (13, 'EN', 'PRG', 'Prague', 0),
  (13, 'EN', 'RIO', 'Rio de Janeiro', 0),
  (13, 'EN', 'ROM', 'Rome', 0),
  (13, 'EN', 'SFO', 'San Francisco', 0),
  (13, 'EN', 'SAO', 'São Paulo', 0),
  (13, 'EN', 'SEL', 'Seoul', 0),
  (13, 'EN', 'SHA', 'Shanghai', 0),
  (13, 'EN', 'SIN', 'Singapore', 0),
  (13, 'EN', 'STO', 'Stockholm', 0),
  (13, 'EN', 'SYD', 'Sydney', 0),
  (13, 'EN', 'TYO', 'Tokyo', 0),
  (13, 'EN', 'YTO', 'Toronto', 0),
  (13, 'EN', 'YVR', 'Vancouver', 0),
  (13, 'EN', 'VCE', 'Venice', 0),
  (13, 'EN', 'VIE', 'Vienna', 0),
  (13, 'EN', 'WAW', 'Warsaw', 0),
  (13, 'EN', 'WAS', 'Washington', 0),
  (13, 'EN', 'ZRH', 'Zurich', 0);

-- 14: states and provinces
INSERT INTO AllReferences (RefType, LangCode, RefCode, RefValue, OrderNum) VALUES
  (14, 'EN', 'AL', 'Alabama', 0),
  (14, 'EN', 'AK', 'Alaska', 0),
  (14, 'EN', 'AB', 'Alberta', 0),
  (14, 'EN', 'AZ', 'Arizona', 0),
  (14, 'EN', 'AR', 'Arkansas', 0),
  (14, 'EN', 'BC', 'British Columbia', 0),
  (14, 'EN', 'CA', 'California', 0),
  (14, 'EN', 'CO', 'Colorado', 0),
  (14, 'EN', 'CT', 'Connecticut', 0),
  (14, 'EN', 'DE', 'Delaware', 0),
  (14, 'EN', 'DC', 'District of Columbia', 0),
  (14, 'EN', 'FL', 'Florida', 0),
  (14, 'EN', 'GA', 'Georgia', 0),
  (14, 'EN', 'HI', 'Hawaii', 0),
  (14, 'EN', 'ID', 'Idaho', 0),
  (14, 'EN', 'IL', 'Illinois', 0),
  (14, 'EN', 'IN', 'Indiana', 0),
  (14, 'EN', 'IA', 'Iowa', 0),
  (14, 'EN', 'KS', 'Kansas', 0),
  (14, 'EN', 'KY', 'Kentucky', 0),
  (14, 'EN', 'LA', 'Louisiana', 0),
  (14, 'EN', 'ME', 'Maine', 0),
  (14, 'EN', 'MB', 'Manitoba', 0),
  (14, 'EN', 'MD', 'Maryland', 0),
  (14, 'EN', 'MA', 'Massachusetts', 0),
  (14, 'EN', 'MI', 'Michigan', 0),
  (14, 'EN', 'MN', 'Minnesota', 0),
  (14, 'EN', 'MS', 'Mississippi', 0),
  (14, 'EN', 'MO', 'Missouri', 0),
  (14, 'EN', 'MT', 'Montana', 0),
  (14, 'EN', 'NE', 'Nebraska', 0),
  (14, 'EN', 'NV', 'Nevada', 0),
  (14, 'EN', 'NB', 'New Brunswick', 0),
  (14, 'EN', 'NH', 'New Hampshire', 0),
  (14, 'EN', 'NJ', 'New Jersey', 0),
  (14, 'EN', 'NM', 'New Mexico', 0),
  (14, 'EN', 'NY', 'New York', 0),
  (14, 'EN', 'NL', 'Newfoundland and Labrador', 0),
  (14, 'EN', 'NC', 'North Carolina', 0),
  (14, 'EN', 'ND', 'North Dakota', 0),
  (14, 'EN', 'NT', 'Northwest Territories', 0),
  (14, 'EN', 'NS', 'Nova Scotia', 0),
  (14, 'EN', 'NU', 'Nunavut', 0),
  (14, 'EN', 'OH', 'Ohio', 0),
  (14, 'EN', 'OK', 'Oklahoma', 0),
  (14, 'EN', 'ON', 'Ontario', 0),
  (14, 'EN', 'OR', 'Oregon', 0),
  (14, 'EN', 'PA', 'Pennsylvania', 0),
  (14, 'EN', 'PE', 'Prince Edward Island', 0),
  (14, 'EN', 'PR', 'Puerto Rico', 0),
  (14, 'EN', 'QC', 'Quebec', 0),
  (14, 'EN', 'RI', 'Rhode Island', 0),
  (14, 'EN', 'SK', 'Saskatchewan', 0),
  (14, 'EN', 'SC', 'South Carolina', 0),
  (14, 'EN', 'SD', 'South Dakota', 0),
  (14, 'EN', 'TN', 'Tennessee', 0),
  (14, 'EN', 'TX', 'Texas', 0),
  (14, 'EN', 'UT', 'Utah', 0),
  (14, 'EN', 'VT', 'Vermont', 0),
  (14, 'EN', 'VA', 'Virginia', 0),
  (14, 'EN', 'WA', 'Washington', 0),
  (14, 'EN', 'WV', 'West Virginia', 0),
  (14, 'EN', 'WI', 'Wisconsin', 0),
  (14, 'EN', 'WY', 'Wyoming', 0),
  (14, 'EN', 'YT', 'Yukon', 0);

-- 15: eBay site id = currency code (site ids: 0 United States, 2 Canada, 3 United Kingdom,
--     15 Australia, 16 Austria, 23 Belgium (French), 71 France, 77 Germany,
--     100 eBay Motors, 101 Italy, 123 Belgium (Dutch), 146 Netherlands, 186 Spain,
--     193 Switzerland, 201 Hong Kong, 203 India, 205 Ireland, 207 Malaysia,
--     210 Canada (French), 211 Philippines, 212 Poland, 216 Singapore)
INSERT INTO AllReferences (RefType, LangCode, RefCode, RefValue, OrderNum) VALUES
  (15, 'XXX', '0', 'USD', 1),
  (15, 'XXX', '2', 'CAD', 2),
  (15, 'XXX', '3', 'GBP', 3),
  (15, 'XXX', '15', 'AUD', 4),
  (15, 'XXX', '16', 'EUR', 5),
  (15, 'XXX', '23', 'EUR', 6),
  (15, 'XXX', '71', 'EUR', 7),
  (15, 'XXX', '77', 'EUR', 8),
  (15, 'XXX', '100', 'USD', 9),
  (15, 'XXX', '101', 'EUR', 10),
  (15, 'XXX', '123', 'EUR', 11),
  (15, 'XXX', '146', 'EUR', 12),
  (15, 'XXX', '186', 'EUR', 13),
  (15, 'XXX', '193', 'CHF', 14),
  (15, 'XXX', '201', 'HKD', 15),
  (15, 'XXX', '203', 'INR', 16),
  (15, 'XXX', '205', 'EUR', 17),
  (15, 'XXX', '207', 'MYR', 18),
  (15, 'XXX', '210', 'CAD', 19),
  (15, 'XXX', '211', 'PHP', 20),
  (15, 'XXX', '212', 'PLN', 21),
  (15, 'XXX', '216', 'SGD', 22);
