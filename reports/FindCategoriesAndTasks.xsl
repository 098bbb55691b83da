<?xml version="1.0"?>
<!-- The find: the categories and tasks whose name or description matches, in
     the order the category tree and the task list show them, with the current
     selection marked. The program tests the texts itself and writes what
     matched in as one HIT element per category (its ID, OWN when its own text
     matches, TASKS its matching tasks as ",31,32,", or "*" when all its
     tasks match, which spares the test of each; ID 0 is the tree's top
     item, which holds the tasks outside every category), and the selection
     as the parameters' defaults, with the filter and sort placeholders,
     before the stylesheet is parsed: Wine's processor loses parameters handed
     to it one by one. The criteria and the switches are declared for
     stylesheets that want them. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
                xmlns:msxsl="urn:schemas-microsoft-com:xslt" exclude-result-prefixes="msxsl">
  <xsl:output method="xml" omit-xml-declaration="yes"/>

  <xsl:param name="sCriteria"/>
  <xsl:param name="matchCase" select="0"/>
  <xsl:param name="wholeWordOnly" select="0"/>
  <xsl:param name="usingRegExp" select="0"/>
  <xsl:param name="selCategory" select="REP_SELECTED_CATEGORY"/>
  <xsl:param name="selTask" select="REP_SELECTED_TASK"/>

  <!-- Never an empty variable, which would be a text, not a tree. -->
  <xsl:variable name="hitTree"><HITS>REP_HITS</HITS></xsl:variable>
  <xsl:variable name="hits" select="msxsl:node-set($hitTree)"/>
  <!-- A category's hit is looked up once, by key: a text of every matching
       id, searched per category, made the find quadratic in the hits. -->
  <xsl:key name="hit" match="HIT" use="@ID"/>

  <xsl:template match="/">
    <ROOT>
      <xsl:variable name="top" select="ROOT"/>
      <xsl:for-each select="$hits">
        <xsl:variable name="hit" select="key('hit', '0')"/>
        <xsl:for-each select="$top">
          <xsl:call-template name="tasks">
            <xsl:with-param name="id" select="'0'"/>
            <xsl:with-param name="hit" select="$hit"/>
          </xsl:call-template>
        </xsl:for-each>
      </xsl:for-each>
      <xsl:apply-templates select="/ROOT/CATEGORY">
        <xsl:sort select="@NAME"/>
      </xsl:apply-templates>
    </ROOT>
  </xsl:template>

  <xsl:template match="CATEGORY">
    <xsl:variable name="category" select="."/>
    <xsl:variable name="id" select="string(@ID)"/>
    <xsl:if test="@ID = $selCategory">
      <SELCATEGORY ID="{@ID}"/>
    </xsl:if>
    <!-- key() looks in the document of the node in hand: the hit is taken
         there, and the category's work done back in the plan. -->
    <xsl:for-each select="$hits">
      <xsl:variable name="hit" select="key('hit', $id)"/>
      <xsl:for-each select="$category">
        <xsl:if test="$hit/@OWN REP_CATEGORY_FILTER">
          <CATEGORY ID="{@ID}"/>
        </xsl:if>
        <xsl:call-template name="tasks">
          <xsl:with-param name="id" select="$id"/>
          <xsl:with-param name="hit" select="$hit"/>
        </xsl:call-template>
      </xsl:for-each>
    </xsl:for-each>
    <xsl:apply-templates select="CATEGORY[.//TASK]">
      <xsl:sort select="@NAME"/>
    </xsl:apply-templates>
  </xsl:template>

  <!-- The matching tasks among the children of the node in hand, the category $id with its $hit. -->
  <xsl:template name="tasks">
    <xsl:param name="id"/>
    <xsl:param name="hit"/>
    <xsl:if test="$hit/@TASKS">
      <xsl:variable name="matching" select="string($hit/@TASKS)"/>
      <xsl:variable name="every" select="$matching = '*'"/>
      <xsl:variable name="tasks" select="TASK[($every or contains($matching, concat(',', @ID, ','))) REP_TASK_FILTER]"/>
      <xsl:if test="$tasks">
        <CATEGORY ID="{$id}">
          <xsl:for-each select="$tasks">
            PRIMARY_SORT
            <xsl:sort select="@NAME" order="REP_SORT_ORDER"/>
            <xsl:if test="@ID = $selTask">
              <SELTASK ID="{@ID}"/>
            </xsl:if>
            <TASK ID="{@ID}"/>
          </xsl:for-each>
        </CATEGORY>
      </xsl:if>
    </xsl:if>
  </xsl:template>
</xsl:stylesheet>
