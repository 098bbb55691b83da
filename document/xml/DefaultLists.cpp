#include "document/xml/DefaultLists.h"

#include "foundation/Language.h"

const std::vector<DefaultLists::Mood>& DefaultLists::Moods()
{
    static const std::vector<Mood> moods = {
        {L"Creative", 0x11, 0xee, 0x11},   {L"Impressive", 0xd8, 0x77, 0xa0}, {L"Sensitive", 0xfc, 0xc0, 0xbf},
        {L"Aggressive", 0xd4, 0x00, 0x15}, {L"Friendly", 0xf5, 0x05, 0x05},   {L"Exciting", 0xce, 0x1b, 0x33},
        {L"Explosive", 0xf3, 0x75, 0x7a},  {L"Tart", 0xfa, 0x6a, 0x19},       {L"Mellow", 0xab, 0x43, 0x28},
        {L"Joyful", 0xc5, 0x8b, 0x34},     {L"Anxious", 0xf5, 0xf0, 0x00},    {L"Fresh", 0xad, 0xc2, 0x38},
        {L"Natural", 0x5f, 0x9d, 0x6b},    {L"Mature", 0x2b, 0xa8, 0x99},     {L"Intuitive", 0x20, 0x7e, 0x72},
        {L"Analytical", 0x00, 0xff, 0xff}, {L"Honest", 0x94, 0xb7, 0xcb},     {L"Soulful", 0x14, 0x33, 0x74},
        {L"Serious", 0x87, 0x38, 0x76},    {L"Grand", 0xbe, 0x83, 0x9d},
    };
    return moods;
}

const std::vector<const wchar_t*>& DefaultLists::GoalKeys()
{
    static const std::vector<const wchar_t*> keys = {
        L"BuyAHouse",
        L"BuyANewCar",
        L"OwnABMWM5",
        L"RaiseAHealthyHappyChild",
        L"ExerciseRegularly",
        L"GetANewJob",
        L"FinishWhatIStart",
        L"FinishMyPhD",
        L"GetAMastersDegree",
        L"BecomeFluentInAnotherLanguage",
        L"LearnToSpeakSpanish",
        L"BeFluentInJapanese",
        L"LearnGerman",
        L"LearnSomethingNewEveryDay",
        L"FindAPlaceToLive",
        L"MoveToLA",
        L"FigureOutWhatIWantToDoWithMyLife",
        L"WriteANovel",
        L"WriteABook",
        L"HaveAWebsite",
        L"Lose10Pounds",
        L"CommunicateMoreEffectively",
        L"BeMoreSelfDisciplined",
        L"OvercomeMyFearOfPublicSpeaking",
        L"LearnToSwim",
        L"LearnJazzPiano",
        L"BeMorePositive",
        L"BeMoreSelfConfident",
        L"BeMoreSocial",
        L"StressLess",
        L"QuitSmoking",
        L"GetPeopleToReadMyBlog",
        L"BeAVegetarianForAYear",
        L"WalkOnTheGreatWallOfChina",
        L"GoToSouthAfrica",
        L"VisitItaly",
        L"GoToNoPredeterminedDestination",
        L"ExploreTheCityILiveIn",
        L"ReadHarryPotter6",
        L"StopWorrying",
        L"HaveATotallyDifferentLifeByThisTimeNextYear",
        L"Run5InternationalProjects",
        L"StartMyOwnBusiness",
        L"BecomeFinanciallyIndependent",
        L"FindAProfitableBusiness",
    };
    return keys;
}

const wchar_t* DefaultLists::SupportEmail()
{
    return L"support@quorvane.com";
}

const wchar_t* DefaultLists::ProductName()
{
    return L"Quorvane";
}

EString DefaultLists::Translate(const wchar_t* key)
{
    const EString text = Resource::Translate(key);
    return text.empty() ? EString(key) : text;
}
