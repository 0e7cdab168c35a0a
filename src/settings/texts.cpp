#include "settings/texts.h"

#include "game/log.h"
#include "game/natives.h"
#include "platform/platform.h"
#include "settings/settings.h"
#include "version.h"

#include <array>
#include <cstdint>

namespace {

// Each language's texts in TextId order, each ended by its own NUL: one
// array of bytes a language, in read-only data, with no pointer to relocate
// but the thirteen below. English is exactly what the module has always
// said; the others say it as the game says it in that language, short enough
// for where each is drawn (tests/texts_test.cpp measures them). Spanish
// (Mexico) says a few things its own way.

// One text a line, in TextId order, a blank line between the groups.
// clang-format off
// en-US
constexpr char kEnUs[] =
    "VELOXAN ACTIVATED\0"
    "Veloxan: Recharging...\0"
    "Veloxan: Your vehicle is totaled!\0"
    "Turbo Boost System Online\0"
    "Veloxan deactivated successfully.\0"
    "Veloxan has been shut down\0"

    "Press %1 to enter SETUP\0"
    "Set KEY_PC_MENU in Veloxan.ini\0"
    "~r~and to remove this message~r~.\0"
    VELOXAN_HELP_LINE "\0"
    "Thank you for using this mod.  Ver:2.1 by the Veloxan team\0"

    "by the Veloxan team " VELOXAN_VERSION_SHORT "\0"
    "Main Menu\0"
    "~g~: ON\0"
    "~r~: OFF\0"

    "Duration\0"
    "Turbo Duration 1-10 seconds.\0"
    "Initial Boost\0"
    "Amount of speed given by the activation.\0"
    "Power\0"
    "Acceleration rate multiplier.\0"
    "Sensitivity\0"
    "Strong collision will stop the turbo.\0"
    "Slow Motion Collision\0"
    "Trigger BULLET TIME when hitting an object.\0"
    "SFX: \0"
    "Change the sound.\0"
    "Reset settings\0"
    "Reset settings back to default.\0"
    "Volume\0"
    "Level of the turbo's sounds.\0"
    "Messages\0"
    "Turbo messages in the feed.\0"
    "Keys\0"
    "Set the keys by pressing them.\0"

    "Boost: \0"
    "Starts and cancels the boost.\0"
    "Boost 2nd: \0"
    "Held with the boost key.\0"
    "Menu: \0"
    "Held with the boost key: this menu.\0"
    "Up: \0"
    "Down: \0"
    "Left: \0"
    "Right: \0"
    "Select: \0"
    "Back: \0"
    "A key of this menu.\0"
    "Pad\0"
    "The pad's buttons.\0"
    "Boost: \0"
    "Starts and cancels the boost.\0"
    "Boost 2nd: \0"
    "Held with the boost button.\0"
    "Menu: \0"
    "Held with the boost button: this menu.\0"

    "none\0"
    "press a key\0"
    "press a button\0"
    "Esc cancels, Backspace clears.\0"
    "%1 is %2\0"
    "Start is the pause menu\0"
    "%1 moves the menu\0"
    "The menu needs a way in\0"
    "not saved\0"
    "The keyboard needs a way in\0"
    "Windows keeps that key\0"

    "Boost\0"
    "Boost 2nd\0"
    "Menu\0"
    "Menu up\0"
    "Menu down\0"
    "Menu left\0"
    "Menu right\0"
    "Menu select\0"
    "Menu back\0"
    "Pad boost\0"
    "Pad boost 2nd\0"
    "Pad menu\0";

// fr-FR
constexpr char kFrFr[] =
    "VELOXAN ACTIVÉ\0"
    "Veloxan : recharge...\0"
    "Veloxan : votre véhicule est détruit !\0"
    "Système turbo opérationnel\0"
    "Veloxan désactivé avec succès.\0"
    "Veloxan a été arrêté\0"

    "Appuyez sur %1 pour les RÉGLAGES\0"
    "Réglez KEY_PC_MENU dans Veloxan.ini\0"
    "~r~et pour retirer ce message~r~.\0"
    "Aide et mises à jour : voir le lisez-moi de Veloxan\0"
    "Merci d'utiliser ce mod.  Ver:2.1 par l'équipe Veloxan\0"

    "par l'équipe Veloxan " VELOXAN_VERSION_SHORT "\0"
    "Menu principal\0"
    "~g~ : OUI\0"
    "~r~ : NON\0"

    "Durée\0"
    "Durée du turbo, de 1 à 10 secondes.\0"
    "Poussée initiale\0"
    "Vitesse donnée à l'activation.\0"
    "Puissance\0"
    "Multiplicateur d'accélération.\0"
    "Sensibilité\0"
    "Un choc violent arrête le turbo.\0"
    "Ralenti en cas de choc\0"
    "Active le ralenti quand vous heurtez un objet.\0"
    "Son : \0"
    "Change le son.\0"
    "Réinitialiser\0"
    "Rétablit les réglages par défaut.\0"
    "Volume\0"
    "Niveau des sons du turbo.\0"
    "Messages\0"
    "Messages du turbo dans les notifications.\0"
    "Touches\0"
    "Réglez les touches en les pressant.\0"

    "Boost : \0"
    "Lance et annule le boost.\0"
    "Boost 2 : \0"
    "Maintenue avec la touche de boost.\0"
    "Menu : \0"
    "Maintenue avec la touche de boost : ce menu.\0"
    "Haut : \0"
    "Bas : \0"
    "Gauche : \0"
    "Droite : \0"
    "Valider : \0"
    "Retour : \0"
    "Une touche de ce menu.\0"
    "Manette\0"
    "Les boutons de la manette.\0"
    "Boost : \0"
    "Lance et annule le boost.\0"
    "Boost 2 : \0"
    "Maintenu avec le bouton de boost.\0"
    "Menu : \0"
    "Maintenu avec le bouton de boost : ce menu.\0"

    "aucune\0"
    "pressez une touche\0"
    "pressez un bouton\0"
    "Échap annule, Retour arrière efface.\0"
    "%1 : déjà %2\0"
    "Start ouvre le menu pause\0"
    "%1 sert au menu\0"
    "Le menu doit pouvoir s'ouvrir\0"
    "non enregistré\0"
    "Le clavier doit pouvoir l'ouvrir\0"
    "Touche réservée à Windows\0"

    "Boost\0"
    "Boost 2\0"
    "Menu\0"
    "Haut\0"
    "Bas\0"
    "Gauche\0"
    "Droite\0"
    "Valider\0"
    "Retour\0"
    "Boost\0"
    "Boost 2\0"
    "Menu\0";

// de-DE
constexpr char kDeDe[] =
    "VELOXAN AKTIVIERT\0"
    "Veloxan: Lädt auf...\0"
    "Veloxan: Dein Fahrzeug ist Schrott!\0"
    "Turbo-Boost-System bereit\0"
    "Veloxan erfolgreich deaktiviert.\0"
    "Veloxan wurde abgeschaltet\0"

    "Drücke %1 für das SETUP\0"
    "Setze KEY_PC_MENU in Veloxan.ini\0"
    "~r~und um diese Meldung zu entfernen~r~.\0"
    "Hilfe und Updates: siehe Veloxan-Readme\0"
    "Danke, dass du den Mod nutzt.  Ver:2.1 vom Veloxan-Team\0"

    "vom Veloxan-Team " VELOXAN_VERSION_SHORT "\0"
    "Hauptmenü\0"
    "~g~: AN\0"
    "~r~: AUS\0"

    "Dauer\0"
    "Turbodauer 1-10 Sekunden.\0"
    "Anfangsschub\0"
    "Tempo beim Aktivieren.\0"
    "Leistung\0"
    "Faktor der Beschleunigung.\0"
    "Empfindlichkeit\0"
    "Ein harter Aufprall stoppt den Turbo.\0"
    "Zeitlupe bei Aufprall\0"
    "Zeitlupe beim Aufprall auf ein Objekt.\0"
    "Sound: \0"
    "Ändert den Sound.\0"
    "Zurücksetzen\0"
    "Einstellungen auf Standard zurücksetzen.\0"
    "Lautstärke\0"
    "Lautstärke der Turbo-Sounds.\0"
    "Meldungen\0"
    "Turbo-Meldungen im Feed.\0"
    "Tasten\0"
    "Tasten durch Drücken festlegen.\0"

    "Boost: \0"
    "Startet den Boost und bricht ihn ab.\0"
    "Boost 2: \0"
    "Mit der Boost-Taste gehalten.\0"
    "Menü: \0"
    "Mit der Boost-Taste gehalten: dieses Menü.\0"
    "Hoch: \0"
    "Runter: \0"
    "Links: \0"
    "Rechts: \0"
    "Auswahl: \0"
    "Zurück: \0"
    "Eine Taste dieses Menüs.\0"
    "Controller\0"
    "Die Tasten des Controllers.\0"
    "Boost: \0"
    "Startet den Boost und bricht ihn ab.\0"
    "Boost 2: \0"
    "Mit der Boost-Taste gehalten.\0"
    "Menü: \0"
    "Mit der Boost-Taste gehalten: dieses Menü.\0"

    "keine\0"
    "Taste drücken\0"
    "Taste drücken\0"
    "Esc bricht ab, Rücktaste löscht.\0"
    "%1 belegt: %2\0"
    "Start öffnet das Pausemenü\0"
    "%1 steuert das Menü\0"
    "Kein Weg mehr ins Menü\0"
    "nicht gespeichert\0"
    "Die Tastatur muss es öffnen\0"
    "Diese Taste gehört Windows\0"

    "Boost\0"
    "Boost 2\0"
    "Menü\0"
    "Hoch\0"
    "Runter\0"
    "Links\0"
    "Rechts\0"
    "Auswahl\0"
    "Zurück\0"
    "Boost\0"
    "Boost 2\0"
    "Menü\0";

// it-IT
constexpr char kItIt[] =
    "VELOXAN ATTIVATO\0"
    "Veloxan: in ricarica...\0"
    "Veloxan: il tuo veicolo è distrutto!\0"
    "Sistema Turbo Boost attivo\0"
    "Veloxan disattivato con successo.\0"
    "Veloxan è stato spento\0"

    "Premi %1 per le IMPOSTAZIONI\0"
    "Imposta KEY_PC_MENU in Veloxan.ini\0"
    "~r~e per rimuovere questo messaggio~r~.\0"
    "Aiuto e aggiornamenti: vedi il readme di Veloxan\0"
    "Grazie per aver usato la mod.  Ver:2.1 dal team Veloxan\0"

    "dal team Veloxan " VELOXAN_VERSION_SHORT "\0"
    "Menu principale\0"
    "~g~: SÌ\0"
    "~r~: NO\0"

    "Durata\0"
    "Durata del turbo, da 1 a 10 secondi.\0"
    "Spinta iniziale\0"
    "Velocità data all'attivazione.\0"
    "Potenza\0"
    "Moltiplicatore di accelerazione.\0"
    "Sensibilità\0"
    "Un urto forte ferma il turbo.\0"
    "Rallentatore negli urti\0"
    "Attiva il rallentatore quando colpisci un oggetto.\0"
    "Suono: \0"
    "Cambia il suono.\0"
    "Ripristina\0"
    "Riporta le impostazioni predefinite.\0"
    "Volume\0"
    "Livello dei suoni del turbo.\0"
    "Messaggi\0"
    "Messaggi del turbo nelle notifiche.\0"
    "Tasti\0"
    "Imposta i tasti premendoli.\0"

    "Boost: \0"
    "Avvia e annulla il boost.\0"
    "Boost 2: \0"
    "Tenuto con il tasto boost.\0"
    "Menu: \0"
    "Tenuto con il tasto boost: questo menu.\0"
    "Su: \0"
    "Giù: \0"
    "Sinistra: \0"
    "Destra: \0"
    "Seleziona: \0"
    "Indietro: \0"
    "Un tasto di questo menu.\0"
    "Pad\0"
    "I pulsanti del pad.\0"
    "Boost: \0"
    "Avvia e annulla il boost.\0"
    "Boost 2: \0"
    "Tenuto con il pulsante boost.\0"
    "Menu: \0"
    "Tenuto con il pulsante boost: questo menu.\0"

    "nessuno\0"
    "premi un tasto\0"
    "premi un pulsante\0"
    "Esc annulla, Backspace cancella.\0"
    "%1 è già %2\0"
    "Start apre il menu di pausa\0"
    "%1 muove il menu\0"
    "Il menu deve potersi aprire\0"
    "non salvato\0"
    "La tastiera deve poterlo aprire\0"
    "Tasto riservato a Windows\0"

    "Boost\0"
    "Boost 2\0"
    "Menu\0"
    "Su\0"
    "Giù\0"
    "Sinistra\0"
    "Destra\0"
    "Seleziona\0"
    "Indietro\0"
    "Boost\0"
    "Boost 2\0"
    "Menu\0";

// es-ES
constexpr char kEsEs[] =
    "VELOXAN ACTIVADO\0"
    "Veloxan: recargando...\0"
    "Veloxan: ¡tu vehículo está destrozado!\0"
    "Sistema Turbo Boost listo\0"
    "Veloxan desactivado correctamente.\0"
    "Veloxan se ha apagado\0"

    "Pulsa %1 para la CONFIGURACIÓN\0"
    "Pon KEY_PC_MENU en Veloxan.ini\0"
    "~r~y para quitar este mensaje~r~.\0"
    "Ayuda y novedades: lee el readme de Veloxan\0"
    "Gracias por usar este mod.  Ver:2.1 por el equipo Veloxan\0"

    "por el equipo Veloxan " VELOXAN_VERSION_SHORT "\0"
    "Menú principal\0"
    "~g~: SÍ\0"
    "~r~: NO\0"

    "Duración\0"
    "Duración del turbo, de 1 a 10 segundos.\0"
    "Impulso inicial\0"
    "Velocidad que da la activación.\0"
    "Potencia\0"
    "Multiplicador de aceleración.\0"
    "Sensibilidad\0"
    "Un choque fuerte detiene el turbo.\0"
    "Cámara lenta al chocar\0"
    "Activa la cámara lenta al golpear un objeto.\0"
    "Sonido: \0"
    "Cambia el sonido.\0"
    "Restablecer\0"
    "Vuelve a los ajustes por defecto.\0"
    "Volumen\0"
    "Nivel de los sonidos del turbo.\0"
    "Mensajes\0"
    "Mensajes del turbo en las notificaciones.\0"
    "Teclas\0"
    "Asigna las teclas pulsándolas.\0"

    "Impulso: \0"
    "Inicia y cancela el impulso.\0"
    "Impulso 2: \0"
    "Se mantiene con la tecla de impulso.\0"
    "Menú: \0"
    "Con la tecla de impulso: este menú.\0"
    "Arriba: \0"
    "Abajo: \0"
    "Izquierda: \0"
    "Derecha: \0"
    "Aceptar: \0"
    "Atrás: \0"
    "Una tecla de este menú.\0"
    "Mando\0"
    "Los botones del mando.\0"
    "Impulso: \0"
    "Inicia y cancela el impulso.\0"
    "Impulso 2: \0"
    "Se mantiene con el botón de impulso.\0"
    "Menú: \0"
    "Con el botón de impulso: este menú.\0"

    "sin asignar\0"
    "pulsa una tecla\0"
    "pulsa un botón\0"
    "Esc cancela, Retroceso borra.\0"
    "%1 ya es %2\0"
    "Start abre el menú de pausa\0"
    "%1 mueve el menú\0"
    "El menú debe poder abrirse\0"
    "no guardado\0"
    "El teclado debe poder abrirlo\0"
    "Tecla reservada para Windows\0"

    "Impulso\0"
    "Impulso 2\0"
    "Menú\0"
    "Arriba\0"
    "Abajo\0"
    "Izquierda\0"
    "Derecha\0"
    "Aceptar\0"
    "Atrás\0"
    "Impulso\0"
    "Impulso 2\0"
    "Menú\0";

// pt-BR
constexpr char kPtBr[] =
    "VELOXAN ATIVADO\0"
    "Veloxan: recarregando...\0"
    "Veloxan: seu veículo está destruído!\0"
    "Sistema Turbo Boost pronto\0"
    "Veloxan desativado com sucesso.\0"
    "Veloxan foi desligado\0"

    "Aperte %1 para as CONFIGURAÇÕES\0"
    "Defina KEY_PC_MENU no Veloxan.ini\0"
    "~r~e para remover esta mensagem~r~.\0"
    "Ajuda e atualizações: veja o leia-me do Veloxan\0"
    "Obrigado por usar este mod.  Ver:2.1 pela equipe Veloxan\0"

    "pela equipe Veloxan " VELOXAN_VERSION_SHORT "\0"
    "Menu principal\0"
    "~g~: SIM\0"
    "~r~: NÃO\0"

    "Duração\0"
    "Duração do turbo, de 1 a 10 segundos.\0"
    "Impulso inicial\0"
    "Velocidade dada na ativação.\0"
    "Potência\0"
    "Multiplicador de aceleração.\0"
    "Sensibilidade\0"
    "Uma batida forte interrompe o turbo.\0"
    "Câmera lenta na batida\0"
    "Ativa a câmera lenta ao bater em um objeto.\0"
    "Som: \0"
    "Muda o som.\0"
    "Redefinir\0"
    "Volta as configurações ao padrão.\0"
    "Volume\0"
    "Nível dos sons do turbo.\0"
    "Mensagens\0"
    "Mensagens do turbo nas notificações.\0"
    "Teclas\0"
    "Defina as teclas apertando-as.\0"

    "Boost: \0"
    "Inicia e cancela o boost.\0"
    "Boost 2: \0"
    "Segurada com a tecla de boost.\0"
    "Menu: \0"
    "Com a tecla de boost: este menu.\0"
    "Cima: \0"
    "Baixo: \0"
    "Esquerda: \0"
    "Direita: \0"
    "Selecionar: \0"
    "Voltar: \0"
    "Uma tecla deste menu.\0"
    "Controle\0"
    "Os botões do controle.\0"
    "Boost: \0"
    "Inicia e cancela o boost.\0"
    "Boost 2: \0"
    "Segurado com o botão de boost.\0"
    "Menu: \0"
    "Com o botão de boost: este menu.\0"

    "nenhum\0"
    "aperte uma tecla\0"
    "aperte um botão\0"
    "Esc cancela, Backspace limpa.\0"
    "%1 já é %2\0"
    "Start abre o menu de pausa\0"
    "%1 move o menu\0"
    "O menu precisa poder abrir\0"
    "não salvo\0"
    "O teclado precisa poder abrir\0"
    "Tecla reservada ao Windows\0"

    "Boost\0"
    "Boost 2\0"
    "Menu\0"
    "Cima\0"
    "Baixo\0"
    "Esquerda\0"
    "Direita\0"
    "Selecionar\0"
    "Voltar\0"
    "Boost\0"
    "Boost 2\0"
    "Menu\0";

// pl-PL
constexpr char kPlPl[] =
    "VELOXAN AKTYWNY\0"
    "Veloxan: ładowanie...\0"
    "Veloxan: twój pojazd jest zniszczony!\0"
    "System Turbo Boost gotowy\0"
    "Veloxan wyłączony pomyślnie.\0"
    "Veloxan został wyłączony\0"

    "Wciśnij %1, aby otworzyć USTAWIENIA\0"
    "Ustaw KEY_PC_MENU w Veloxan.ini\0"
    "~r~i aby usunąć tę wiadomość~r~.\0"
    "Pomoc i aktualizacje: zobacz readme Veloxan\0"
    "Dzięki za korzystanie z moda.  Ver:2.1 od zespołu Veloxan\0"

    "od zespołu Veloxan " VELOXAN_VERSION_SHORT "\0"
    "Menu główne\0"
    "~g~: WŁ.\0"
    "~r~: WYŁ.\0"

    "Czas trwania\0"
    "Czas działania turbo, 1-10 sekund.\0"
    "Początkowy zryw\0"
    "Prędkość dodana przy aktywacji.\0"
    "Moc\0"
    "Mnożnik przyspieszenia.\0"
    "Czułość\0"
    "Mocne zderzenie zatrzyma turbo.\0"
    "Zwolnione tempo przy kraksie\0"
    "Włącza zwolnione tempo przy uderzeniu w obiekt.\0"
    "Dźwięk: \0"
    "Zmienia dźwięk.\0"
    "Resetuj ustawienia\0"
    "Przywraca ustawienia domyślne.\0"
    "Głośność\0"
    "Głośność dźwięków turbo.\0"
    "Komunikaty\0"
    "Komunikaty turbo w powiadomieniach.\0"
    "Klawisze\0"
    "Ustaw klawisze, naciskając je.\0"

    "Boost: \0"
    "Włącza i przerywa boost.\0"
    "Boost 2: \0"
    "Trzymany z klawiszem boosta.\0"
    "Menu: \0"
    "Trzymany z klawiszem boosta: to menu.\0"
    "Góra: \0"
    "Dół: \0"
    "Lewo: \0"
    "Prawo: \0"
    "Wybierz: \0"
    "Wstecz: \0"
    "Klawisz tego menu.\0"
    "Pad\0"
    "Przyciski pada.\0"
    "Boost: \0"
    "Włącza i przerywa boost.\0"
    "Boost 2: \0"
    "Trzymany z przyciskiem boosta.\0"
    "Menu: \0"
    "Trzymany z przyciskiem boosta: to menu.\0"

    "brak\0"
    "wciśnij klawisz\0"
    "wciśnij przycisk\0"
    "Esc anuluje, Backspace czyści.\0"
    "%1 to już %2\0"
    "Start otwiera menu pauzy\0"
    "%1 steruje menu\0"
    "Menu musi dać się otworzyć\0"
    "nie zapisano\0"
    "Klawiatura musi je otwierać\0"
    "Klawisz należy do Windows\0"

    "Boost\0"
    "Boost 2\0"
    "Menu\0"
    "Góra\0"
    "Dół\0"
    "Lewo\0"
    "Prawo\0"
    "Wybierz\0"
    "Wstecz\0"
    "Boost\0"
    "Boost 2\0"
    "Menu\0";

// ru-RU
constexpr char kRuRu[] =
    "VELOXAN ВКЛЮЧЁН\0"
    "Veloxan: перезарядка...\0"
    "Veloxan: ваш транспорт уничтожен!\0"
    "Система турбо готова\0"
    "Veloxan успешно отключён.\0"
    "Veloxan выключен\0"

    "Нажмите %1, чтобы открыть НАСТРОЙКИ\0"
    "Укажите KEY_PC_MENU в Veloxan.ini\0"
    "~r~и чтобы убрать это сообщение~r~.\0"
    "Помощь и обновления: см. readme Veloxan\0"
    "Спасибо за этот мод.  Ver:2.1 от команды Veloxan\0"

    "от команды Veloxan " VELOXAN_VERSION_SHORT "\0"
    "Главное меню\0"
    "~g~: ВКЛ\0"
    "~r~: ВЫКЛ\0"

    "Длительность\0"
    "Длительность турбо, 1-10 секунд.\0"
    "Начальный рывок\0"
    "Скорость, которую даёт включение.\0"
    "Мощность\0"
    "Множитель ускорения.\0"
    "Чувствительность\0"
    "Сильный удар остановит турбо.\0"
    "Замедление при ударе\0"
    "Включает замедление при ударе об объект.\0"
    "Звук: \0"
    "Меняет звук.\0"
    "Сбросить настройки\0"
    "Вернуть настройки по умолчанию.\0"
    "Громкость\0"
    "Громкость звуков турбо.\0"
    "Сообщения\0"
    "Сообщения турбо в уведомлениях.\0"
    "Клавиши\0"
    "Назначьте клавиши нажатием.\0"

    "Турбо: \0"
    "Включает и отменяет турбо.\0"
    "Турбо 2: \0"
    "Удерживается с клавишей турбо.\0"
    "Меню: \0"
    "С клавишей турбо: это меню.\0"
    "Вверх: \0"
    "Вниз: \0"
    "Влево: \0"
    "Вправо: \0"
    "Выбор: \0"
    "Назад: \0"
    "Клавиша этого меню.\0"
    "Геймпад\0"
    "Кнопки геймпада.\0"
    "Турбо: \0"
    "Включает и отменяет турбо.\0"
    "Турбо 2: \0"
    "Удерживается с кнопкой турбо.\0"
    "Меню: \0"
    "С кнопкой турбо: это меню.\0"

    "нет\0"
    "нажмите клавишу\0"
    "нажмите кнопку\0"
    "Esc — отмена, Backspace — сброс.\0"
    "%1 уже: %2\0"
    "Start открывает меню паузы\0"
    "%1 управляет меню\0"
    "Меню должно открываться\0"
    "не сохранено\0"
    "Клавиатуре нужен вход в меню\0"
    "Клавиша занята Windows\0"

    "Турбо\0"
    "Турбо 2\0"
    "Меню\0"
    "Меню вверх\0"
    "Меню вниз\0"
    "Меню влево\0"
    "Меню вправо\0"
    "Меню выбор\0"
    "Меню назад\0"
    "Турбо геймпада\0"
    "Турбо 2 геймпада\0"
    "Меню геймпада\0";

// ko-KR
constexpr char kKoKr[] =
    "VELOXAN 활성화\0"
    "Veloxan: 충전 중...\0"
    "Veloxan: 차량이 완전히 부서졌습니다!\0"
    "터보 부스트 시스템 가동\0"
    "Veloxan이 비활성화되었습니다.\0"
    "Veloxan이 종료되었습니다\0"

    "%1 키를 눌러 설정 열기\0"
    "Veloxan.ini에 KEY_PC_MENU를 설정하세요\0"
    "~r~이 메시지도 함께 사라집니다~r~.\0"
    "도움말과 업데이트: Veloxan readme 참고\0"
    "이 모드를 사용해 주셔서 감사합니다.  Ver:2.1 Veloxan 팀\0"

    "Veloxan 팀 " VELOXAN_VERSION_SHORT "\0"
    "메인 메뉴\0"
    "~g~: 켬\0"
    "~r~: 끔\0"

    "지속 시간\0"
    "터보 지속 시간 1-10초.\0"
    "초기 부스트\0"
    "활성화 시 더해지는 속도.\0"
    "출력\0"
    "가속 배율.\0"
    "감도\0"
    "강한 충돌 시 터보가 멈춥니다.\0"
    "충돌 시 슬로 모션\0"
    "물체에 부딪히면 슬로 모션이 발동합니다.\0"
    "효과음: \0"
    "효과음을 바꿉니다.\0"
    "설정 초기화\0"
    "설정을 기본값으로 되돌립니다.\0"
    "볼륨\0"
    "터보 효과음의 크기.\0"
    "메시지\0"
    "피드에 터보 메시지 표시.\0"
    "키 설정\0"
    "키를 눌러서 지정합니다.\0"

    "부스트: \0"
    "부스트를 시작하고 취소합니다.\0"
    "부스트 2: \0"
    "부스트 키와 함께 누릅니다.\0"
    "메뉴: \0"
    "부스트 키와 함께 누르면 이 메뉴.\0"
    "위: \0"
    "아래: \0"
    "왼쪽: \0"
    "오른쪽: \0"
    "선택: \0"
    "뒤로: \0"
    "이 메뉴의 키.\0"
    "패드\0"
    "패드 버튼.\0"
    "부스트: \0"
    "부스트를 시작하고 취소합니다.\0"
    "부스트 2: \0"
    "부스트 버튼과 함께 누릅니다.\0"
    "메뉴: \0"
    "부스트 버튼과 함께 누르면 이 메뉴.\0"

    "없음\0"
    "키를 누르세요\0"
    "버튼을 누르세요\0"
    "Esc 취소, Backspace 지우기.\0"
    "%1: 이미 %2\0"
    "Start는 일시정지 메뉴입니다\0"
    "%1: 메뉴 조작 버튼\0"
    "메뉴를 열 방법이 필요합니다\0"
    "저장 안 됨\0"
    "키보드로 열 방법이 필요합니다\0"
    "Windows 전용 키입니다\0"

    "부스트\0"
    "부스트 2\0"
    "메뉴\0"
    "메뉴 위\0"
    "메뉴 아래\0"
    "메뉴 왼쪽\0"
    "메뉴 오른쪽\0"
    "메뉴 선택\0"
    "메뉴 뒤로\0"
    "패드 부스트\0"
    "패드 부스트 2\0"
    "패드 메뉴\0";

// zh-TW
constexpr char kZhTw[] =
    "VELOXAN 已啟動\0"
    "Veloxan: 充能中...\0"
    "Veloxan: 你的載具已全毀！\0"
    "渦輪系統已就緒\0"
    "Veloxan 已成功停用。\0"
    "Veloxan 已關閉\0"

    "按 %1 進入設定\0"
    "請在 Veloxan.ini 設定 KEY_PC_MENU\0"
    "~r~並移除此訊息~r~。\0"
    "說明與更新：請見 Veloxan 讀我檔\0"
    "感謝使用本模組。  Ver:2.1 Veloxan 團隊製作\0"

    "Veloxan 團隊 " VELOXAN_VERSION_SHORT "\0"
    "主選單\0"
    "~g~：開\0"
    "~r~：關\0"

    "持續時間\0"
    "渦輪持續 1-10 秒。\0"
    "初始加速\0"
    "啟動時給予的速度。\0"
    "動力\0"
    "加速倍率。\0"
    "靈敏度\0"
    "猛烈碰撞會停止渦輪。\0"
    "碰撞慢動作\0"
    "撞到物體時觸發慢動作。\0"
    "音效：\0"
    "更換音效。\0"
    "重設設定\0"
    "將設定還原為預設值。\0"
    "音量\0"
    "渦輪音效的音量。\0"
    "訊息\0"
    "在通知中顯示渦輪訊息。\0"
    "按鍵\0"
    "按下按鍵即可設定。\0"

    "加速：\0"
    "啟動或取消加速。\0"
    "加速 2：\0"
    "與加速鍵一起按住。\0"
    "選單：\0"
    "與加速鍵一起按住：開啟此選單。\0"
    "上：\0"
    "下：\0"
    "左：\0"
    "右：\0"
    "選擇：\0"
    "返回：\0"
    "此選單的按鍵。\0"
    "手把\0"
    "手把的按鈕。\0"
    "加速：\0"
    "啟動或取消加速。\0"
    "加速 2：\0"
    "與加速按鈕一起按住。\0"
    "選單：\0"
    "與加速按鈕一起按住：開啟此選單。\0"

    "無\0"
    "請按一個鍵\0"
    "請按一個按鈕\0"
    "Esc 取消，Backspace 清除。\0"
    "%1 已是%2\0"
    "Start 是暫停選單\0"
    "%1 用於操作選單\0"
    "選單需要開啟方式\0"
    "未儲存\0"
    "鍵盤需要開啟方式\0"
    "此鍵保留給 Windows\0"

    "加速\0"
    "加速 2\0"
    "選單\0"
    "選單上\0"
    "選單下\0"
    "選單左\0"
    "選單右\0"
    "選單選擇\0"
    "選單返回\0"
    "手把加速\0"
    "手把加速 2\0"
    "手把選單\0";

// ja-JP
constexpr char kJaJp[] =
    "VELOXAN 起動\0"
    "Veloxan: チャージ中...\0"
    "Veloxan: 車両が大破しました！\0"
    "ターボ準備完了\0"
    "Veloxan を停止しました。\0"
    "Veloxan がシャットダウンしました\0"

    "%1 で設定を開く\0"
    "Veloxan.ini で KEY_PC_MENU を設定してください\0"
    "~r~このメッセージも消えます~r~。\0"
    "ヘルプと更新: Veloxan の readme を参照\0"
    "ご利用ありがとうございます。  Ver:2.1 Veloxan チーム\0"

    "Veloxan チーム " VELOXAN_VERSION_SHORT "\0"
    "メインメニュー\0"
    "~g~: オン\0"
    "~r~: オフ\0"

    "持続時間\0"
    "ターボの持続時間 1-10秒。\0"
    "初期ブースト\0"
    "起動時に加わる速度。\0"
    "パワー\0"
    "加速の倍率。\0"
    "感度\0"
    "強い衝突でターボが止まります。\0"
    "衝突時スローモーション\0"
    "物にぶつかるとスローモーションになります。\0"
    "サウンド: \0"
    "サウンドを変更します。\0"
    "設定リセット\0"
    "設定を初期値に戻します。\0"
    "音量\0"
    "ターボのサウンドの音量。\0"
    "メッセージ\0"
    "フィードにターボのメッセージを表示。\0"
    "キー設定\0"
    "キーを押して割り当てます。\0"

    "ブースト: \0"
    "ブーストの開始とキャンセル。\0"
    "ブースト2: \0"
    "ブーストキーと同時に押します。\0"
    "メニュー: \0"
    "ブーストキーと同時に押すとこのメニュー。\0"
    "上: \0"
    "下: \0"
    "左: \0"
    "右: \0"
    "決定: \0"
    "戻る: \0"
    "このメニューのキー。\0"
    "パッド\0"
    "パッドのボタン。\0"
    "ブースト: \0"
    "ブーストの開始とキャンセル。\0"
    "ブースト2: \0"
    "ブーストボタンと同時に押します。\0"
    "メニュー: \0"
    "ブーストボタンと同時に押すとこのメニュー。\0"

    "なし\0"
    "キーを押す\0"
    "ボタンを押す\0"
    "Esc でキャンセル、Backspace で解除。\0"
    "%1 は使用中: %2\0"
    "Start はポーズメニューです\0"
    "%1 はメニュー操作用\0"
    "メニューを開く手段が必要です\0"
    "保存できません\0"
    "キーボードで開く手段が必要です\0"
    "Windows 専用のキーです\0"

    "ブースト\0"
    "ブースト2\0"
    "メニュー\0"
    "上\0"
    "下\0"
    "左\0"
    "右\0"
    "決定\0"
    "戻る\0"
    "ブースト\0"
    "ブースト2\0"
    "メニュー\0";

// es-MX
constexpr char kEsMx[] =
    "VELOXAN ACTIVADO\0"
    "Veloxan: recargando...\0"
    "Veloxan: ¡tu vehículo está destrozado!\0"
    "Sistema Turbo Boost listo\0"
    "Veloxan desactivado correctamente.\0"
    "Veloxan se apagó\0"

    "Presiona %1 para la CONFIGURACIÓN\0"
    "Configura KEY_PC_MENU en Veloxan.ini\0"
    "~r~y para quitar este mensaje~r~.\0"
    "Ayuda y actualizaciones: lee el readme de Veloxan\0"
    "Gracias por usar este mod.  Ver:2.1 por el equipo Veloxan\0"

    "por el equipo Veloxan " VELOXAN_VERSION_SHORT "\0"
    "Menú principal\0"
    "~g~: SÍ\0"
    "~r~: NO\0"

    "Duración\0"
    "Duración del turbo, de 1 a 10 segundos.\0"
    "Impulso inicial\0"
    "Velocidad que da la activación.\0"
    "Potencia\0"
    "Multiplicador de aceleración.\0"
    "Sensibilidad\0"
    "Un choque fuerte detiene el turbo.\0"
    "Cámara lenta al chocar\0"
    "Activa la cámara lenta al golpear un objeto.\0"
    "Sonido: \0"
    "Cambia el sonido.\0"
    "Restablecer\0"
    "Vuelve a la configuración predeterminada.\0"
    "Volumen\0"
    "Nivel de los sonidos del turbo.\0"
    "Mensajes\0"
    "Mensajes del turbo en las notificaciones.\0"
    "Teclas\0"
    "Asigna las teclas presionándolas.\0"

    "Impulso: \0"
    "Inicia y cancela el impulso.\0"
    "Impulso 2: \0"
    "Se mantiene con la tecla de impulso.\0"
    "Menú: \0"
    "Con la tecla de impulso: este menú.\0"
    "Arriba: \0"
    "Abajo: \0"
    "Izquierda: \0"
    "Derecha: \0"
    "Aceptar: \0"
    "Atrás: \0"
    "Una tecla de este menú.\0"
    "Control\0"
    "Los botones del control.\0"
    "Impulso: \0"
    "Inicia y cancela el impulso.\0"
    "Impulso 2: \0"
    "Se mantiene con el botón de impulso.\0"
    "Menú: \0"
    "Con el botón de impulso: este menú.\0"

    "sin asignar\0"
    "presiona una tecla\0"
    "presiona un botón\0"
    "Esc cancela, Retroceso borra.\0"
    "%1 ya es %2\0"
    "Start abre el menú de pausa\0"
    "%1 mueve el menú\0"
    "El menú debe poder abrirse\0"
    "no guardado\0"
    "El teclado debe poder abrirlo\0"
    "Tecla reservada para Windows\0"

    "Impulso\0"
    "Impulso 2\0"
    "Menú\0"
    "Arriba\0"
    "Abajo\0"
    "Izquierda\0"
    "Derecha\0"
    "Aceptar\0"
    "Atrás\0"
    "Impulso\0"
    "Impulso 2\0"
    "Menú\0";

// zh-CN
constexpr char kZhCn[] =
    "VELOXAN 已激活\0"
    "Veloxan: 充能中...\0"
    "Veloxan: 你的载具已报废！\0"
    "涡轮系统已就绪\0"
    "Veloxan 已成功停用。\0"
    "Veloxan 已关闭\0"

    "按 %1 进入设置\0"
    "请在 Veloxan.ini 中设置 KEY_PC_MENU\0"
    "~r~并移除此消息~r~。\0"
    "帮助与更新：见 Veloxan 说明文件\0"
    "感谢使用本模组。  Ver:2.1 Veloxan 团队制作\0"

    "Veloxan 团队 " VELOXAN_VERSION_SHORT "\0"
    "主菜单\0"
    "~g~：开\0"
    "~r~：关\0"

    "持续时间\0"
    "涡轮持续 1-10 秒。\0"
    "初始加速\0"
    "激活时给予的速度。\0"
    "动力\0"
    "加速倍率。\0"
    "灵敏度\0"
    "猛烈碰撞会停止涡轮。\0"
    "碰撞慢动作\0"
    "撞到物体时触发慢动作。\0"
    "音效：\0"
    "更换音效。\0"
    "重置设置\0"
    "将设置恢复为默认值。\0"
    "音量\0"
    "涡轮音效的音量。\0"
    "消息\0"
    "在通知中显示涡轮消息。\0"
    "按键\0"
    "按下按键即可设置。\0"

    "加速：\0"
    "启动或取消加速。\0"
    "加速 2：\0"
    "与加速键一起按住。\0"
    "菜单：\0"
    "与加速键一起按住：打开此菜单。\0"
    "上：\0"
    "下：\0"
    "左：\0"
    "右：\0"
    "选择：\0"
    "返回：\0"
    "此菜单的按键。\0"
    "手柄\0"
    "手柄的按钮。\0"
    "加速：\0"
    "启动或取消加速。\0"
    "加速 2：\0"
    "与加速按钮一起按住。\0"
    "菜单：\0"
    "与加速按钮一起按住：打开此菜单。\0"

    "无\0"
    "请按一个键\0"
    "请按一个按钮\0"
    "Esc 取消，Backspace 清除。\0"
    "%1 已是%2\0"
    "Start 是暂停菜单\0"
    "%1 用于操作菜单\0"
    "菜单需要打开方式\0"
    "未保存\0"
    "键盘需要打开方式\0"
    "此键保留给 Windows\0"

    "加速\0"
    "加速 2\0"
    "菜单\0"
    "菜单上\0"
    "菜单下\0"
    "菜单左\0"
    "菜单右\0"
    "菜单选择\0"
    "菜单返回\0"
    "手柄加速\0"
    "手柄加速 2\0"
    "手柄菜单\0";

// clang-format on

constexpr const char* kLanguageTexts[kLanguageCount] = {
    kEnUs, kFrFr, kDeDe, kItIt, kEsEs, kPtBr, kPlPl, kRuRu, kKoKr, kZhTw, kJaJp, kEsMx, kZhCn};
constexpr std::size_t kLanguageSizes[kLanguageCount] = {
    sizeof kEnUs, sizeof kFrFr, sizeof kDeDe, sizeof kItIt, sizeof kEsEs,
    sizeof kPtBr, sizeof kPlPl, sizeof kRuRu, sizeof kKoKr, sizeof kZhTw,
    sizeof kJaJp, sizeof kEsMx, sizeof kZhCn};

using Offsets = std::array<std::uint16_t, kTextCount>;

// Where each text starts. A language with a text too many or too few does
// not build: the count is not a constant then.
constexpr Offsets OffsetsOf(const char* texts, std::size_t size) {
    Offsets offsets{};
    std::size_t next = 0;
    std::size_t start = 0;
    for (std::size_t at = 0; at + 1 < size; ++at) {
        if (texts[at] == '\0') {
            offsets.at(next++) = static_cast<std::uint16_t>(start);
            start = at + 1;
        }
    }
    return next == kTextCount ? offsets : Offsets{offsets.at(kTextCount)};
}

constexpr std::array<Offsets, kLanguageCount> AllOffsets() {
    std::array<Offsets, kLanguageCount> all{};
    for (std::size_t language = 0; language < kLanguageCount; ++language) {
        all[language] = OffsetsOf(kLanguageTexts[language], kLanguageSizes[language]);
    }
    return all;
}

constexpr std::array<Offsets, kLanguageCount> kOffsets = AllOffsets();

// A key's name (13 bytes at most) and a holder's text, as KeyTaken names
// them in a row's value text.
constexpr std::size_t kKeyNameRoom = 16;
constexpr std::size_t kHolderRoom = 32;

// The room of the menu's buffer a text is copied to; 0 for a text the menu
// does not copy.
constexpr std::size_t RoomOf(TextId id) {
    switch (id) {
    case TextId::Activated:
    case TextId::Recharging:
    case TextId::Totaled:
    case TextId::Online:
    case TextId::DeactivatedByTime:
    case TextId::ShutDown:
    case TextId::NoticePressToEnter:
    case TextId::NoticeNoMenuKey:
    case TextId::NoticeRemove:
    case TextId::NoticeHelp:
    case TextId::NoticeThanks:
    case TextId::Count:
        return 0;
    case TextId::On:
    case TextId::Off:
        return kToggleRoom;
    case TextId::DurationHelp:
    case TextId::InitialBoostHelp:
    case TextId::PowerHelp:
    case TextId::SensitivityHelp:
    case TextId::SlowMotionHelp:
    case TextId::SoundHelp:
    case TextId::ResetHelp:
    case TextId::VolumeHelp:
    case TextId::MessagesHelp:
    case TextId::KeysHelp:
    case TextId::KeyBoostHelp:
    case TextId::KeyBoost2Help:
    case TextId::KeyMenuHelp:
    case TextId::KeyMenuMoveHelp:
    case TextId::PadHelp:
    case TextId::PadBoostHelp:
    case TextId::PadBoost2Help:
    case TextId::PadMenuHelp:
    case TextId::KeyWaitHelp:
        return kDescriptionRoom;
    case TextId::KeyNone:
    case TextId::KeyWaitKey:
    case TextId::KeyWaitButton:
    case TextId::KeyNotSaved:
        return kValueRoom;
    // A refusal takes the row's label for its three seconds.
    case TextId::KeyStartRefused:
    case TextId::KeyWayIn:
    case TextId::KeyPcWayIn:
    case TextId::KeyWindows:
        return kLabelRoom;
    case TextId::KeyTaken:
    case TextId::KeyMenuButton:
        return kValueRoom - kKeyNameRoom - kHolderRoom;
    case TextId::HolderBoost:
    case TextId::HolderBoost2:
    case TextId::HolderMenu:
    case TextId::HolderMenuUp:
    case TextId::HolderMenuDown:
    case TextId::HolderMenuLeft:
    case TextId::HolderMenuRight:
    case TextId::HolderMenuSelect:
    case TextId::HolderMenuBack:
    case TextId::HolderPadBoost:
    case TextId::HolderPadBoost2:
    case TextId::HolderPadMenu:
        return kHolderRoom;
    default: // the credit, MainMenu and the rows' labels
        return kLabelRoom;
    }
}

constexpr bool FitsTheirRooms() {
    for (std::size_t language = 0; language < kLanguageCount; ++language) {
        for (std::size_t index = 0; index < kTextCount; ++index) {
            const char* text = kLanguageTexts[language] + kOffsets[language][index];
            std::size_t length = 0;
            while (text[length] != '\0') {
                ++length;
            }
            const std::size_t room = RoomOf(static_cast<TextId>(index));
            if (room != 0 && length >= room) {
                return false;
            }
        }
    }
    return true;
}
static_assert(FitsTheirRooms(), "a text is longer than the menu's buffer it is copied to");

// Written once per start by PickLanguage; read by every Text().
std::size_t pickedLanguage = 0;
const char* pickedTexts = kEnUs;
const std::uint16_t* pickedOffsets = kOffsets[0].data();
const char* pickedSource = "the game's";

void Pick(std::size_t language, const char* source) {
    pickedLanguage = language;
    pickedTexts = kLanguageTexts[language];
    pickedOffsets = kOffsets[language].data();
    pickedSource = source;
}

bool SameLetters(const char* a, const char* b) {
    for (; *a != '\0' && *b != '\0'; ++a, ++b) {
        const auto lower = [](char c) {
            return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
        };
        if (lower(*a) != lower(*b)) {
            return false;
        }
    }
    return *a == *b;
}

} // namespace

[[gnu::cold]] const char* TextIn(std::size_t language, TextId id) {
    const auto index = static_cast<std::size_t>(id);
    return language < kLanguageCount && index < kTextCount
               ? kLanguageTexts[language] + kOffsets[language][index]
               : "";
}

const char* Text(TextId id) {
    const auto index = static_cast<std::size_t>(id);
    return index < kTextCount ? pickedTexts + pickedOffsets[index] : "";
}

[[gnu::cold]] int LanguageOfTag(const char* tag) {
    for (std::size_t language = 0; language < kLanguageCount; ++language) {
        if (SameLetters(tag, kLanguageTags[language])) {
            return static_cast<int>(language);
        }
    }
    return -1;
}

[[gnu::cold]] void PickLanguage() {
    // The profile functions give the text without the blanks around it.
    char setting[32] = {};
    GetPrivateProfileStringA(kIniSection, "LANGUAGE", "", setting, sizeof setting, kIniFile);
    const int named = LanguageOfTag(setting);
    if (named >= 0) {
        Pick(static_cast<std::size_t>(named), "LANGUAGE in Veloxan.ini");
        return;
    }
    if (setting[0] != '\0' && !SameLetters(setting, "auto") && !SameLetters(setting, "0")) {
        LogBegin("repaired LANGUAGE: read \"");
        LogText(setting);
        LogText("\", not a language tag: the game's language used");
        LogEnd();
    }
    const std::int32_t answer = native::GET_CURRENT_LANGUAGE();
    if (answer >= 0 && static_cast<std::size_t>(answer) < kLanguageCount) {
        Pick(static_cast<std::size_t>(answer), "the game's");
        return;
    }
    LogBegin("the game's language is ");
    LogNumber(answer);
    LogText(", not one of 0-12: English used");
    LogEnd();
    Pick(0, "English, for the game's unknown language");
}

const char* PickedLanguageTag() { return kLanguageTags[pickedLanguage]; }

const char* PickedLanguageSource() { return pickedSource; }

[[gnu::cold]] void FormatText(char* out, std::size_t size, const char* pattern, const char* first,
                              const char* second) {
    if (size == 0) {
        return;
    }
    std::size_t length = 0;
    const auto put = [&](char c) {
        if (length + 1 < size) {
            out[length++] = c;
        }
    };
    for (const char* at = pattern; *at != '\0'; ++at) {
        if (at[0] == '%' && (at[1] == '1' || at[1] == '2')) {
            for (const char* part = at[1] == '1' ? first : second; *part != '\0'; ++part) {
                put(*part);
            }
            ++at;
        } else {
            put(*at);
        }
    }
    out[WholeUtf8Length(out, length)] = '\0';
}

std::size_t WholeUtf8Length(const char* text, std::size_t length) {
    // Back to the last lead byte, then keep its letter only if it is whole.
    std::size_t lead = length;
    while (lead > 0 && (static_cast<unsigned char>(text[lead - 1]) & 0xC0) == 0x80) {
        --lead;
    }
    if (lead == 0) {
        return 0;
    }
    const auto first = static_cast<unsigned char>(text[lead - 1]);
    const std::size_t letter = first < 0x80 ? 1 : first >= 0xF0 ? 4 : first >= 0xE0 ? 3 : 2;
    return lead - 1 + letter <= length ? length : lead - 1;
}
